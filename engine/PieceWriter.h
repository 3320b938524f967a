// One splitter run that leaves either a complete piece at its exact path or nothing.
// The splitter writes under a plain name into the source's private folder (it would read
// the piece's own name as an output format); the result is renamed to the piece path
// only after the run has ended, and never over a file of the job's list nor over anything
// but an earlier piece of that name.
#pragma once

#include <cstdint>
#include <string>

#include "FileProblem.h"
#include "ListedFiles.h"
#include "ProcessRunner.h"

namespace parvane {

enum class PieceOutcome {
    Written,      // the piece lies complete at its path
    NotWritten,   // the run left no usable piece; `failure` says why
    NameTaken,    // the piece path names a file of the job's list, which was kept
    Stopped,      // the run was cut off because a stop was asked for
    StartFailed,  // the splitter could not be started at all
};

struct PieceRun {
    PieceOutcome outcome = PieceOutcome::NotWritten;
    RunResult run;
    PieceFailure failure;
};

struct PieceRequest {
    std::string splitterPath;
    std::string sourcePath;
    double startStamp = 0.0;  // MinutesToStamp of the piece's boundaries
    double endStamp = 0.0;
    std::string piecePath;
    std::string privateFolder;
};

PieceRun WritePiece(ProcessRunner& runner, const WaitHooks& hooks, const PieceRequest& request,
                    const ListedFiles& listedFiles);

// The folder a piece path lies in: without the closing "/", "/" for the root and "."
// when the path names no folder.
std::string OutputFolderOf(const std::string& piecePath);

// The splitter's reason for a run, from what it wrote to its standard error: the text
// after its last "error:" up to the line's end, else, when the run failed, its last
// non-empty line (a "\r" ends one too); trimmed, and empty when it said nothing.
std::string SplitterReason(const std::string& errorOutput, bool failed);

}  // namespace parvane
