#include "engine/job/PieceWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "engine/audio/Mp3Tags.h"
#include "engine/audio/PieceTags.h"
#include "engine/files/FileReading.h"
#include "engine/files/FolderEntries.h"
#include "engine/files/PrivateFolder.h"
#include "engine/names/PiecePaths.h"
#include "engine/names/TimeStamps.h"
#include "engine/process/SignalNames.h"

namespace parvane {

namespace {

// The first non-empty regular file the run left in the private folder under the name it
// was given (the splitter adds the extension); the folder's lock is never taken for one.
std::optional<std::string> MadePiece(const std::string& privateFolder) {
    FolderEntries entries(privateFolder);
    while (const std::optional<std::string_view> name = entries.NextName()) {
        if (!name->starts_with(kSplitterOutputName)) {
            continue;
        }
        std::string path = privateFolder + "/" + std::string(*name);
        const NameStatus status = StatusOfName(path);
        if (status.error == 0 && status.kind == FileKind::Regular && status.identity.size > 0) {
            return path;
        }
    }
    return std::nullopt;
}

std::string Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(begin, text.find_last_not_of(" \t") + 1 - begin));
}

std::string LastErrorLine(std::string_view errorOutput) {
    constexpr std::string_view kMark = "error:";
    const std::size_t mark = errorOutput.rfind(kMark);
    if (mark == std::string_view::npos) {
        return {};
    }
    const std::size_t begin = mark + kMark.size();
    return Trimmed(errorOutput.substr(begin, errorOutput.find_first_of("\r\n", begin) - begin));
}

// mp3splt's progress, "[ 30.70 %] preparing ...", says nothing of why a run failed.
bool IsProgress(std::string_view line) {
    return line.starts_with('[') && line.find("%]") != std::string_view::npos;
}

constexpr const char* kExtensionLetters =
    ".abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// The splitter names the file it was told to write; whoever reads its reason knows the
// piece instead (and the private folder is gone by then).
std::string WithPiecePath(std::string text, const PieceRequest& request) {
    const std::string output = request.privateFolder + "/" + kSplitterOutputName;
    for (std::size_t at = text.find(request.privateFolder); at != std::string::npos;
         at = text.find(request.privateFolder, at)) {
        std::size_t end = at + request.privateFolder.size();
        std::string replacement = OutputFolderOf(request.piecePath);
        if (text.compare(at, output.size(), output) == 0) {
            end = std::min(text.find_first_not_of(kExtensionLetters, at + output.size()),
                           text.size());
            replacement = request.piecePath;
        }
        text.replace(at, end - at, replacement);
        at += replacement.size();
    }
    return text;
}

// A splitter started through a shell (a wrapper script) that passes on the end of a
// killed child exits with 128 and the signal's number.
int KillingSignal(const RunResult& run) {
    constexpr int kShellSignalBase = 128;
    if (run.ending == RunResult::Ending::KilledBySignal) {
        return run.code;
    }
    const bool passedOn = run.ending == RunResult::Ending::Exited && run.code > kShellSignalBase &&
                          IsSignalNumber(run.code - kShellSignalBase);
    return passedOn ? run.code - kShellSignalBase : 0;
}

PieceFailure FailedRun(const RunResult& run, const PieceRequest& request) {
    using Kind = PieceFailure::Kind;
    if (FolderNearlyFull(request.privateFolder)) {
        return {Kind::NoSpace, 0, {}};
    }
    // Whatever it printed before, it was cut off by the signal.
    if (const int signal = KillingSignal(run); signal != 0) {
        return {Kind::Killed, signal, {}};
    }
    const bool failed = run.ending == RunResult::Ending::Exited && run.code != 0;
    if (std::string reason = SplitterReason(run.errorTail, failed); !reason.empty()) {
        return {Kind::SplitterSaid, 0, WithPiecePath(std::move(reason), request)};
    }
    switch (run.ending) {
        case RunResult::Ending::Exited:
            return {run.code == 0 ? Kind::WroteNothing : Kind::ExitStatus, run.code, {}};
        case RunResult::Ending::WaitFailed:
            return {Kind::WaitFailed, run.code, {}};
        default:
            return {};
    }
}

// Checks the piece's audio, numbers and marks its track and narrows its readers to the
// source's; nullopt when it may be put in place.
std::optional<PieceFailure> ProvePiece(const std::string& made, const PieceRequest& request,
                                       const WaitHooks& hooks) {
    if (std::optional<PieceFailure> failure =
            CheckPiece(made, *request.expected, hooks.stopRequested)) {
        return failure;
    }
    if (!CarrySourceTags(request.sourcePath, made)) {
        return PieceFailure{.kind = PieceFailure::Kind::TagsNotCarried};
    }
    if (!NumberTrack(made, request.pieceNumber, request.pieceCount,
                     GetFileName(request.sourcePath))) {
        return PieceFailure{.kind = PieceFailure::Kind::TrackNotNumbered};
    }
    if (const int error = NarrowAccess(made, request.sourceAccess); error != 0) {
        return PieceFailure{.kind = PieceFailure::Kind::CannotPutInPlace, .code = error};
    }
    return std::nullopt;
}

// A regular file at the piece's name that this program made from the same source, still
// the file just looked at.
bool IsEarlierPiece(const std::string& piecePath, const NameStatus& there,
                    const std::string& sourceName) {
    if (there.kind != FileKind::Regular) {
        return false;
    }
    const OpenedFile opened = OpenForReading(piecePath, LinkAtPath::Refuse);
    return opened.error == 0 && opened.identity.SameContent(there.identity) &&
           IsPieceOf(opened.file.get(), sourceName);
}

enum class Placement { Done, Listed, OtherFile, Failed };

// One try at putting the made piece at its path; error is the errno of a failed move, EEXIST
// when the name was taken meanwhile. Only an earlier piece of the same source is replaced,
// and only when it is still the file just looked at.
Placement TryPutInPlace(const std::string& made, const PieceRequest& request,
                        const ListedFiles& listed, int& error) {
    const std::string& piecePath = request.piecePath;
    if (listed.Holds(piecePath)) {
        return Placement::Listed;
    }
    const NameStatus there = StatusOfName(piecePath);
    if (there.error != 0) {
        error = there.error == ENOENT ? MoveToFreeName(made, piecePath) : there.error;
    } else if (there.kind == FileKind::Folder) {
        error = EISDIR;
    } else if (!IsEarlierPiece(piecePath, there, GetFileName(request.sourcePath))) {
        return Placement::OtherFile;
    } else {
        error = MoveOver(made, piecePath, there.identity, request.exchange);
    }
    return error == 0 ? Placement::Done : Placement::Failed;
}

// A swap that could not be taken back leaves the user's file in the private folder, under
// the splitter's output name: it gets the piece's file name there and the folder is kept.
void KeepDisplacedFile(const std::string& made, const PieceRequest& request, int error,
                       PieceRun& piece) {
    std::string keptAt = made;
    const std::string named = request.privateFolder + "/" + GetFileName(request.piecePath);
    if (MoveToFreeName(keptAt, named) == 0) {
        keptAt = named;
    }
    piece.failure = {PieceFailure::Kind::DisplacedFileKept, error, keptAt};
    piece.keepPrivateFolder = true;
}

void PutInPlace(const std::string& made, const PieceRequest& request, const ListedFiles& listed,
                PieceRun& piece) {
    const std::optional<FileIdentity> madeIdentity = IdentityOf(made);
    int error = 0;
    Placement placement = TryPutInPlace(made, request, listed, error);
    if (placement == Placement::Failed && error == EEXIST) {
        // the name was taken between the look and the move: look again
        placement = TryPutInPlace(made, request, listed, error);
    }
    switch (placement) {
        case Placement::Done:
            piece.outcome = PieceOutcome::Written;
            return;
        case Placement::Listed:
            piece.outcome = PieceOutcome::NameTaken;
            return;
        case Placement::OtherFile:
            piece.outcome = PieceOutcome::OtherFile;
            return;
        case Placement::Failed:
            break;
    }
    const NameStatus left = StatusOfName(made);
    if (left.error == 0 && !(madeIdentity && left.identity.SameContent(*madeIdentity))) {
        KeepDisplacedFile(made, request, error, piece);
    } else {
        piece.failure = {PieceFailure::Kind::CannotPutInPlace, error, {}};
    }
}

}  // namespace

std::string OutputFolderOf(const std::string& piecePath) {
    std::string folder = GetFolder(piecePath);
    if (folder.empty()) {
        return ".";
    }
    if (folder == "/") {
        return folder;
    }
    return folder.substr(0, folder.size() - 1);
}

std::string SplitterReason(const std::string& errorOutput, bool failed) {
    std::string reason = LastErrorLine(errorOutput);
    if (!reason.empty() || !failed) {
        return reason;
    }
    std::string_view rest(errorOutput);
    for (std::size_t end; (end = rest.find_last_not_of(" \t\r\n")) != std::string_view::npos;) {
        const std::size_t newline = rest.find_last_of("\r\n", end);
        const std::size_t begin = newline == std::string_view::npos ? 0 : newline + 1;
        std::string line = Trimmed(rest.substr(begin, end + 1 - begin));
        if (!IsProgress(line)) {
            return line;
        }
        rest = rest.substr(0, begin);
    }
    return {};
}

PieceRun WritePiece(ProcessRunner& runner, const WaitHooks& hooks, const PieceRequest& request,
                    const ListedFiles& listedFiles) {
    PieceRun piece;
    std::vector<std::string> argv = {request.splitterPath};
    if (request.frameMode) {
        argv.push_back("-f");
    }
    argv.insert(argv.end(),
                {request.sourcePath, StampText(request.startSeconds), StampText(request.endSeconds),
                 "-o", kSplitterOutputName, "-d", request.privateFolder});
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
        piece.failure = FailedRun(run, request);
    } else if (std::optional<PieceFailure> failure = ProvePiece(*made, request, hooks)) {
        piece.outcome = stopped() ? PieceOutcome::Stopped : PieceOutcome::NotWritten;
        piece.failure = std::move(*failure);
    } else {
        PutInPlace(*made, request, listedFiles, piece);
    }
    if (!piece.keepPrivateFolder) {
        RemoveSplitterOutput(request.privateFolder);
    }
    return piece;
}

}  // namespace parvane
