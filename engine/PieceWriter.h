// One splitter run that leaves either a complete piece at its exact path or nothing.
// The splitter writes under a private name of plain characters in the piece's folder
// (it would read the piece's own name as an output format); the result is renamed to
// the piece path only after the run has ended.
#pragma once

#include <cstdint>
#include <string>

#include "ProcessRunner.h"

namespace parvane {

enum class PieceOutcome {
    Written,      // the piece lies complete at its path
    NotWritten,   // the run ended without a usable piece (past the end, unreadable source)
    Failed,       // the run broke off after it had begun the piece (a full disk, a crash)
    Stopped,      // the run was cut off because a stop was asked for
    StartFailed,  // the splitter could not be started at all
};

struct PieceRun {
    PieceOutcome outcome = PieceOutcome::NotWritten;
    std::int32_t result = 0;  // what the runner returned
};

struct PieceRequest {
    std::string splitterPath;
    std::string sourcePath;
    double startStamp = 0.0;
    double endStamp = 0.0;
    std::string piecePath;
};

PieceRun WritePiece(ProcessRunner& runner, const WaitHooks& hooks, const PieceRequest& request);

// The folder the splitter is told to write into for a piece path: its folder without the
// closing "/", "/" for the root and "." when the path names no folder.
std::string OutputFolderOf(const std::string& piecePath);

}  // namespace parvane
