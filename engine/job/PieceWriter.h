// One splitter run that leaves either a complete, checked piece at its exact path or nothing.
// The splitter writes under a plain name into the source's private folder (it would read
// the piece's own name as an output format); there the piece's audio is checked, its track
// numbered and marked as a piece of its source, its readers narrowed to the source's, and
// only then is it renamed to the piece path, never over a file of the job's list nor over
// anything but an earlier piece of the same source.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/audio/PieceCheck.h"
#include "engine/files/FilePlacement.h"
#include "engine/files/FileProblem.h"
#include "engine/job/ListedFiles.h"
#include "engine/process/ProcessRunner.h"

namespace parvane {

enum class PieceOutcome {
    Written,      // the piece lies complete at its path
    NotWritten,   // the run left no usable piece; `failure` says why
    NameTaken,    // the piece path names a file of the job's list, which was kept
    OtherFile,    // a file that is not a piece of this source has the name; it was kept
    Stopped,      // the run was cut off because a stop was asked for
    StartFailed,  // the splitter could not be started at all
    PastTheEnd,   // the run was made; a piece past the end of the audio is not kept
};

struct PieceRun {
    PieceOutcome outcome = PieceOutcome::NotWritten;
    RunResult run;
    PieceFailure failure;
    // The file that had the piece's name lies in the private folder (the swap could not be
    // taken back): the folder and all in it must stay.
    bool keepPrivateFolder = false;
};

struct PieceRequest {
    std::string splitterPath;
    std::string sourcePath;
    std::int64_t startSeconds = 0;  // the piece's boundaries in the source
    std::int64_t endSeconds = 0;
    std::string piecePath;
    std::string privateFolder;
    // Where the source has no Info frame, mp3splt would guess the cut from the bit rate
    // (wrong for variable bit rates and MPEG 2.5) unless told to count frames (-f).
    bool frameMode = false;
    // What the piece must hold; nullopt when it would begin at or after the end of the audio.
    std::optional<PieceExpectation> expected;
    std::int64_t pieceNumber = 0;  // its track in its tags reads number/count
    std::int64_t pieceCount = 0;
    FileAccess sourceAccess;  // a piece has no more readers than its source
    NameExchange exchange = ExchangeNames;
};

PieceRun WritePiece(ProcessRunner& runner, const WaitHooks& hooks, const PieceRequest& request,
                    const ListedFiles& listedFiles);

// The folder a piece path lies in: without the closing "/", "/" for the root and "."
// when the path names no folder.
std::string OutputFolderOf(const std::string& piecePath);

// The splitter's reason for a run, from what it wrote to its standard error: the text
// after its last "error:" up to the line's end, else, when the run failed, its last
// non-empty line that is not progress (a "\r" ends one too); trimmed, and empty when it
// said nothing.
std::string SplitterReason(const std::string& errorOutput, bool failed);

}  // namespace parvane
