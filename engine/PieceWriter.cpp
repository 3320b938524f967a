#include "PieceWriter.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "Mp3Tags.h"
#include "PiecePaths.h"
#include "TimeStamps.h"

namespace parvane {

namespace {

namespace fs = std::filesystem;

constexpr const char* kOutputName = "piece";

// The first non-empty regular file the run left in the private folder.
std::optional<fs::path> MadePiece(const std::string& privateFolder) {
    std::error_code error;
    for (fs::directory_iterator entry(privateFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code statError;
        const auto status = entry->symlink_status(statError);
        if (!statError && fs::is_regular_file(status) && entry->file_size(statError) > 0 &&
            !statError) {
            return entry->path();
        }
    }
    return std::nullopt;
}

void EmptyFolder(const std::string& privateFolder) {
    std::error_code error;
    for (fs::directory_iterator entry(privateFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        fs::remove_all(entry->path(), ignored);
    }
}

PieceFailure FailedRun(const RunResult& run) {
    using Kind = PieceFailure::Kind;
    if (std::string line = LastErrorLine(run.errorTail); !line.empty()) {
        return {Kind::SplitterSaid, 0, std::move(line)};
    }
    switch (run.ending) {
        case RunResult::Ending::Exited:
            return {run.code == 0 ? Kind::WroteNothing : Kind::ExitStatus, run.code, {}};
        case RunResult::Ending::KilledBySignal:
            return {Kind::Killed, run.code, {}};
        case RunResult::Ending::WaitFailed:
            return {Kind::WaitFailed, run.code, {}};
        default:
            return {};
    }
}

// Checks the piece's audio and numbers its track; nullopt when it may be put in place.
std::optional<PieceFailure> ProvePiece(const fs::path& made, const PieceRequest& request,
                                       const WaitHooks& hooks) {
    if (std::optional<PieceFailure> failure =
            CheckPiece(made, *request.expected, hooks.stopRequested)) {
        return failure;
    }
    if (!NumberTrack(made, request.pieceNumber, request.pieceCount)) {
        return PieceFailure{.kind = PieceFailure::Kind::TrackNotNumbered};
    }
    return std::nullopt;
}

}  // namespace

std::string OutputFolderOf(const std::string& piecePath) {
    const std::string folder = GetFolder(piecePath);
    if (folder.empty()) {
        return ".";
    }
    if (folder == "/") {
        return folder;
    }
    return folder.substr(0, folder.size() - 1);
}

std::string LastErrorLine(const std::string& errorOutput) {
    constexpr std::string_view kMark = "error:";
    const std::size_t mark = errorOutput.rfind(kMark);
    if (mark == std::string::npos) {
        return {};
    }
    std::size_t begin = mark + kMark.size();
    std::size_t end = errorOutput.find_first_of("\r\n", begin);
    if (end == std::string::npos) {
        end = errorOutput.size();
    }
    while (begin < end && errorOutput[begin] == ' ') {
        ++begin;
    }
    while (end > begin && (errorOutput[end - 1] == ' ' || errorOutput[end - 1] == '\t')) {
        --end;
    }
    return errorOutput.substr(begin, end - begin);
}

PieceRun WritePiece(ProcessRunner& runner, const WaitHooks& hooks, const PieceRequest& request,
                    const std::vector<FileIdentity>& listedFiles) {
    PieceRun piece;
    std::vector<std::string> argv = {request.splitterPath};
    if (request.frameMode) {
        argv.push_back("-f");
    }
    argv.insert(argv.end(), {request.sourcePath, FormatStamp(request.startStamp),
                             FormatStamp(request.endStamp), "-o", kOutputName, "-d",
                             request.privateFolder});
    piece.run = runner.Run(argv, hooks);
    const RunResult& run = piece.run;
    const auto stopped = [&hooks] { return hooks.stopRequested && hooks.stopRequested(); };
    if (run.ending == RunResult::Ending::CouldNotStart) {
        piece.outcome = PieceOutcome::StartFailed;
    } else if (run.ending == RunResult::Ending::StoppedByUs || stopped()) {
        piece.outcome = PieceOutcome::Stopped;
    } else if (!request.expected) {
        piece.outcome = PieceOutcome::PastTheEnd;
    } else if (const auto made = run.Succeeded() ? MadePiece(request.privateFolder) : std::nullopt;
               !made) {
        piece.failure = FailedRun(run);
    } else if (std::optional<PieceFailure> failure = ProvePiece(*made, request, hooks)) {
        piece.outcome = stopped() ? PieceOutcome::Stopped : PieceOutcome::NotWritten;
        piece.failure = std::move(*failure);
    } else if (IsOneOf(request.piecePath, listedFiles)) {
        piece.outcome = PieceOutcome::NameTaken;
    } else if (std::rename(made->c_str(), request.piecePath.c_str()) != 0) {
        piece.failure = {PieceFailure::Kind::CannotPutInPlace, errno, {}};
    } else {
        piece.outcome = PieceOutcome::Written;
    }
    EmptyFolder(request.privateFolder);
    return piece;
}

}  // namespace parvane
