#include "engine/job/SourceSplit.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <optional>

#include "engine/audio/SourceMeasure.h"
#include "engine/files/FileProbes.h"
#include "engine/files/PrivateFolder.h"
#include "engine/files/SourceLock.h"
#include "engine/job/PieceEstimate.h"
#include "engine/job/PieceWriter.h"
#include "engine/names/PiecePaths.h"

namespace parvane {

namespace {

// Runs a file gets before the estimate after piece 2 replaces the count.
constexpr std::int64_t kInitialPieceLimit = 1000;
// Runs allowed past the last piece the playing time calls for.
constexpr std::int64_t kSpareRuns = 3;

// Pieces whose start lies more than one frame before the end of the audio.
std::int64_t PiecesInside(const SourceMeasure& measure, int intervalSeconds) {
    const double audible = measure.seconds - measure.frameSeconds;
    return audible > 0.0 ? static_cast<std::int64_t>(std::ceil(audible / intervalSeconds)) : 0;
}

// Pieces that begin before the end of the audio, the ones a complete split keeps.
std::int64_t PiecesBeginning(const SourceMeasure& measure, int intervalSeconds) {
    return static_cast<std::int64_t>(std::ceil(measure.seconds / intervalSeconds));
}

// What piece j + 1 must hold: the interval, or the rest of the audio for the last piece.
PieceExpectation ExpectedPiece(const SourceMeasure& measure, std::int64_t j, int intervalSeconds) {
    const double start = static_cast<double>(j) * intervalSeconds;
    PieceExpectation expected{measure.sampleRate,
                              std::min<double>(intervalSeconds, measure.seconds - start),
                              measure.frameSeconds};
    const double end = start + intervalSeconds;
    for (const DamagedStretch& stretch : measure.damaged) {
        // Bytes after the audio come with the last piece, even one that ends right there.
        if (stretch.atEnd ? stretch.atSeconds <= end : stretch.atSeconds < end) {
            expected.damagedBytes += stretch.bytes;
            expected.chanceFrames += stretch.chanceFrames;
        }
    }
    return expected;
}

// One group of missing pieces for every distinct reason.
void AddMissingPiece(std::vector<FileProblem>& groups, std::int64_t number,
                     const PieceFailure& failure) {
    auto group = std::find_if(groups.begin(), groups.end(), [&](const FileProblem& problem) {
        return problem.failure == failure;
    });
    if (group == groups.end()) {
        group = groups.insert(groups.end(), MakeProblem(FileProblem::Kind::MissingPieces));
        group->failure = failure;
    }
    group->pieces.push_back(number);
}

// Where the splitter's count of time stops following the audio: at its first change of
// sample rate; nullopt where it has none.
std::optional<FormatChange> FirstChange(const SourceMeasure& measure) {
    if (measure.changes.empty()) {
        return std::nullopt;
    }
    return measure.changes.front();
}

// Bytes after the audio that are more than its last frame cut short.
bool WorthANotice(const DamagedStretch& stretch, const SourceMeasure& measure) {
    constexpr double kLargestFrameBytesPerSecond = 320'000.0 / 8.0;
    return !stretch.atEnd ||
           static_cast<double>(stretch.bytes) > kLargestFrameBytesPerSecond * measure.frameSeconds;
}

// The piece's path, its name, and the path the splitter writes it under in the private folder.
bool PathsFit(const std::string& piecePath, const std::string& privateFolder) {
    const std::string inPrivate = privateFolder + "/" + kSplitterOutputName + ".mp3";
    return PathLengthFits(piecePath) && PathLengthFits(inPrivate) &&
           NameLengthFits(GetFileName(piecePath));
}

// Existing pieces of an earlier split that follow this split's last piece.
std::vector<std::string> OlderPieces(const std::string& sourcePath, std::int64_t lastPiece,
                                     const ListedFiles& listedFiles) {
    std::vector<std::string> found;
    for (std::int64_t k = lastPiece + 1; k <= std::numeric_limits<std::int32_t>::max(); ++k) {
        const std::string path = GetPiecePath(sourcePath, static_cast<std::int32_t>(k));
        if (!FileExists(path) || listedFiles.Holds(path)) {
            break;
        }
        found.push_back(path);
    }
    return found;
}

// What a stop at piece `number` leaves undone: that piece and the ones after it.
void StopAt(FileReport& report, std::vector<FileProblem>& missing, std::int64_t number,
            std::int64_t pieceCount) {
    if (report.piecesWritten == 0) {
        report.problems.insert(report.problems.end(), missing.begin(), missing.end());
        report.problems.push_back(MakeProblem(FileProblem::Kind::Stopped));
        return;
    }
    for (std::int64_t k = number; k <= pieceCount; ++k) {
        AddMissingPiece(missing, k, PieceFailure{.kind = PieceFailure::Kind::Stopped});
    }
    report.problems.insert(report.problems.end(), missing.begin(), missing.end());
}

}  // namespace

SourceSplit SplitSource(SplitHost& host, ProcessRunner& runner, const WaitHooks& hooks,
                        JobContext& job, const std::string& sourcePath, int intervalSeconds) {
    SourceSplit split;
    FileReport& report = split.report;
    report.sourcePath = sourcePath;
    if (intervalSeconds <= 0) {
        report.problems.push_back(MakeProblem(FileProblem::Kind::NoInterval));
        return split;
    }
    if (sourcePath.empty()) {
        report.problems.push_back(MakeProblem(FileProblem::Kind::EmptyName));
        return split;
    }
    const SourceLock lock(sourcePath);
    if (lock.HeldByAnotherJob()) {
        report.problems.push_back(MakeProblem(FileProblem::Kind::SplitByAnotherJob));
        return split;
    }
    const SourceMeasure measure = MeasureSource(sourcePath, hooks.stopRequested);
    if (measure.stopped) {
        split.end = SourceEnd::Stopped;
        report.problems.push_back(MakeProblem(FileProblem::Kind::Stopped));
        return split;
    }
    if (measure.problem) {
        report.problems.push_back(*measure.problem);
        return split;
    }
    for (const DamagedStretch& stretch : measure.damaged) {
        if (WorthANotice(stretch, measure)) {
            report.notices.push_back({FileNotice::Kind::DamagedAudio, stretch});
        }
    }
    const std::string folder = OutputFolderOf(GetPiecePath(sourcePath, 1));
    if (job.tidiedFolders.insert(folder).second) {
        RemoveStalePrivateFolders(folder);
    }
    PrivateFolder privateFolder(folder);
    if (privateFolder.Error() == ENAMETOOLONG ||
        (privateFolder.Made() && !PathsFit(GetPiecePath(sourcePath, 1), privateFolder.Path()))) {
        report.problems.push_back(MakeProblem(FileProblem::Kind::PathTooLong));
        return split;
    }
    if (!privateFolder.Made()) {
        report.problems.push_back(
            MakeProblem(FileProblem::Kind::CannotWriteFolder, privateFolder.Error()));
        return split;
    }

    const std::int64_t inside = PiecesInside(measure, intervalSeconds);
    const std::int64_t beginning = PiecesBeginning(measure, intervalSeconds);
    const std::int64_t bound =
        std::min<std::int64_t>(inside + kSpareRuns, std::numeric_limits<std::int32_t>::max());
    std::int64_t limit = kInitialPieceLimit;
    std::int64_t lastWritten = 0;
    std::vector<FileProblem> missing;
    host.PiecesCounted(beginning);
    const std::optional<FormatChange> change = FirstChange(measure);
    for (std::int64_t j = 0; j < std::min(std::max(limit, inside), bound); ++j) {
        const std::int64_t number = j + 1;
        if (change && static_cast<double>(number * intervalSeconds) > change->atSeconds) {
            if (number <= inside) {
                AddMissingPiece(missing, number,
                                {.kind = PieceFailure::Kind::FormatChange, .change = *change});
            }
            continue;
        }
        PieceRequest request;
        request.splitterPath = job.splitterPath;
        request.sourcePath = sourcePath;
        request.startSeconds = j * intervalSeconds;
        request.endSeconds = number * intervalSeconds;
        request.piecePath = GetPiecePath(sourcePath, static_cast<std::int32_t>(number));
        request.privateFolder = privateFolder.Path();
        request.frameMode = !measure.infoFrame;
        request.pieceNumber = number;
        request.pieceCount = beginning;
        request.sourceAccess = lock.Access().value_or(FileAccess{});
        request.exchange = job.exchange;
        if (number <= beginning) {
            request.expected = ExpectedPiece(measure, j, intervalSeconds);
        }
        host.PieceStarted(number, request.piecePath);

        const PieceRun piece = WritePiece(runner, hooks, request, job.listedFiles);
        switch (piece.outcome) {
            case PieceOutcome::Stopped:
                split.end = SourceEnd::Stopped;
                StopAt(report, missing, number, beginning);
                return split;
            case PieceOutcome::StartFailed:
                split.end = SourceEnd::SplitterLost;
                split.startError = piece.run.code;
                if (report.piecesWritten > 0) {
                    report.problems.push_back(MakeProblem(FileProblem::Kind::SplitterLostAfter));
                    report.problems.back().pieces = {number};
                }
                return split;
            case PieceOutcome::Written:
                ++report.piecesWritten;
                lastWritten = number;
                host.PieceWritten(number, request.piecePath);
                break;
            case PieceOutcome::NameTaken:
                report.problems.push_back(MakeProblem(FileProblem::Kind::NameTaken));
                report.problems.back().path = request.piecePath;
                break;
            case PieceOutcome::OtherFile:
                report.problems.push_back(MakeProblem(FileProblem::Kind::OtherFileAtName));
                report.problems.back().path = request.piecePath;
                break;
            case PieceOutcome::NotWritten:
                if (piece.keepPrivateFolder) {
                    // What the folder holds is the user's; no further run may write there.
                    privateFolder.KeepContents();
                    AddMissingPiece(missing, number, piece.failure);
                    report.problems.insert(report.problems.end(), missing.begin(), missing.end());
                    return split;
                }
                if (number <= inside) {
                    AddMissingPiece(missing, number, piece.failure);
                }
                break;
            case PieceOutcome::PastTheEnd:
                break;
        }
        if (j == 1) {
            const std::int64_t pieceSize =
                lastWritten == 2 ? RegularFileSize(request.piecePath) : std::int64_t{-1};
            limit = EstimatePieceLimit(RegularFileSize(sourcePath), pieceSize).value_or(2);
        }
    }

    const std::optional<FileIdentity> after = IdentityOf(sourcePath);
    if (!after || !(*after == measure.identity)) {
        report.problems.insert(report.problems.begin(),
                               MakeProblem(FileProblem::Kind::ChangedDuringSplit));
    } else {
        report.problems.insert(report.problems.end(), missing.begin(), missing.end());
    }
    report.olderPieces = OlderPieces(sourcePath, std::max(lastWritten, inside), job.listedFiles);
    return split;
}

}  // namespace parvane
