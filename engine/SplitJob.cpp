#include "SplitJob.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "FileProbes.h"
#include "Intervals.h"
#include "PiecePaths.h"
#include "PieceWriter.h"
#include "TimeStamps.h"

namespace parvane {

namespace {

// Runs a file gets before the estimate after piece 2 replaces the count.
constexpr std::int64_t kInitialPieceLimit = 1000;

enum class FileEnd { Finished, Stopped, SplitterWouldNotStart };

struct FileOutcome {
    FileEnd end = FileEnd::Finished;
    int piecesWritten = 0;
    bool piecesLost = false;
    std::int32_t startResult = 0;
};

double ReadMinutes(const std::string& numberText) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(numberText.data(),
                                              numberText.data() + numberText.size(), value);
    (void)end;
    return error == std::errc{} ? value : 0.0;
}

std::string MissingSplitterMessage(const std::string& applicationFolder) {
    return std::string("The splitter ") + kSplitterName + " was not found. Looked for " +
           applicationFolder + "/" + kSplitterName + " and for " + kSplitterName +
           " on PATH (" + SearchPath() + "). Install the Debian package mp3splt. " +
           "Nothing was split.";
}

std::string StartFailureMessage(const std::string& splitterPath, std::int32_t result) {
    const int error = result - kStartFailureBase;
    return "The splitter " + splitterPath + " could not be started (" +
           std::generic_category().message(error) + "). Splitting was stopped.";
}

// Pieces 1, 2, ... of one source. The estimate made after piece 2 bounds the runs, and
// runs go on past it for as long as the previous run still wrote a piece, so an estimate
// that falls short never leaves audio out.
FileOutcome SplitFile(SplitHost& host, ProcessRunner& runner, const WaitHooks& hooks,
                      const std::string& splitterPath, const std::string& sourcePath,
                      double intervalMinutes) {
    FileOutcome outcome;
    std::int64_t limit = kInitialPieceLimit;
    bool previousWrotePiece = false;
    for (std::int64_t j = 0; j < limit || previousWrotePiece; ++j) {
        if (j >= std::numeric_limits<std::int32_t>::max()) {
            break;
        }
        PieceRequest request;
        request.splitterPath = splitterPath;
        request.sourcePath = sourcePath;
        request.startStamp = MinutesToStamp(static_cast<double>(j) * intervalMinutes);
        request.endStamp = MinutesToStamp(static_cast<double>(j + 1) * intervalMinutes);
        request.piecePath = GetPiecePath(sourcePath, static_cast<std::int32_t>(j + 1));

        const PieceRun run = WritePiece(runner, hooks, request);
        if (run.outcome == PieceOutcome::Stopped) {
            outcome.end = FileEnd::Stopped;
            return outcome;
        }
        if (run.outcome == PieceOutcome::StartFailed) {
            outcome.end = FileEnd::SplitterWouldNotStart;
            outcome.startResult = run.result;
            return outcome;
        }
        previousWrotePiece = run.outcome == PieceOutcome::Written;
        outcome.piecesLost = outcome.piecesLost || run.outcome == PieceOutcome::Failed;
        if (previousWrotePiece) {
            ++outcome.piecesWritten;
            host.PieceWritten(request.piecePath);
        }
        if (j == 1) {
            const std::int64_t sourceSize = FileSize2(sourcePath);
            const std::int64_t pieceSize = FileSize2(request.piecePath);
            limit = EstimatePieceLimit(sourceSize, pieceSize).value_or(2);
        }
    }
    return outcome;
}

void EndJob(SplitHost& host) {
    host.SetProgress(0.0f);
    host.SetWindowPointer(kPointerDefault);
}

}  // namespace

std::string ClosingMessage(const SplitResult& result) {
    std::string text = kMessageDone;
    const auto list = [&text](const char* heading, const std::vector<std::string>& files) {
        if (!files.empty()) {
            text += std::string("\n\n") + heading;
            for (const std::string& file : files) {
                text += "\n" + file;
            }
        }
    };
    list("No piece was written for:", result.filesWithoutPieces);
    list("Some pieces could not be written for:", result.filesIncomplete);
    return text;
}

SplitResult RunSplitJob(SplitHost& host, ProcessRunner& runner) {
    SplitResult result;
    if (host.EntryCount() < 1) {
        host.ShowMessage(kMessageNoFiles);
        return result;
    }
    WaitHooks hooks;
    hooks.handleEvents = [&host] { host.HandlePendingEvents(); };
    hooks.stopRequested = [&host] { return host.StopRequested(); };

    const int fileCount = host.EntryCount();
    for (int i = 1; i <= fileCount; ++i) {
        const int entriesNow = host.EntryCount();
        if (host.StopRequested() || i > entriesNow) {
            result.stopped = host.StopRequested();
            break;
        }
        host.SetWindowPointer(kPointerBusy);
        const std::string sourcePath = host.EntryText(i);
        host.SetProgress(static_cast<float>(static_cast<double>(i) / entriesNow * 100.0));
        host.FileStarted(i, sourcePath);

        const double intervalMinutes =
            ReadMinutes(IntervalToMinutes(IntervalOfEntry(host.IntervalEntryText())));
        const std::string applicationFolder = host.ApplicationFolder();
        const std::optional<std::string> splitter = FindSplitter(applicationFolder);
        if (!splitter) {
            result.splitterMissing = true;
            host.ShowMessage(MissingSplitterMessage(applicationFolder));
            EndJob(host);
            return result;
        }

        FileOutcome file;
        if (std::isfinite(intervalMinutes) && intervalMinutes > 0.0) {
            file = SplitFile(host, runner, hooks, *splitter, sourcePath, intervalMinutes);
        }
        result.piecesWritten += file.piecesWritten;
        if (file.end == FileEnd::Stopped) {
            result.stopped = true;
            break;
        }
        if (file.end == FileEnd::SplitterWouldNotStart) {
            result.splitterMissing = true;
            host.ShowMessage(StartFailureMessage(*splitter, file.startResult));
            EndJob(host);
            return result;
        }
        if (file.piecesWritten == 0) {
            result.filesWithoutPieces.push_back(sourcePath);
        } else if (file.piecesLost) {
            result.filesIncomplete.push_back(sourcePath);
        }
        ++result.filesDone;
    }

    if (!result.stopped) {
        host.ShowMessage(ClosingMessage(result));
    }
    EndJob(host);
    return result;
}

}  // namespace parvane
