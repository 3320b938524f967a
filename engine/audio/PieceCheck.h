// Whether a piece the splitter wrote holds what it should: MP3 audio of the source's sample
// rate that plays as long as the stretch of the source it was cut from.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/files/FileProblem.h"

namespace parvane {

struct PieceExpectation {
    long sampleRate = 0;
    double seconds = 0.0;       // the interval, or the rest of the audio for the last piece
    double frameSeconds = 0.0;  // of the source
    // Of the source's damaged stretches before the piece's end: their bytes, which the piece
    // may hold, and their chance frame headers, by which the splitter's cuts may have moved.
    std::int64_t damagedBytes = 0;
    std::int64_t chanceFrames = 0;
};

// nullopt when the piece is as expected. The splitter cuts at whole frames and keeps the
// frame on either side of a cut, so a piece may play up to three frames longer than its
// stretch; trimmed encoder delay and padding may make it up to three frames shorter; chance
// frames in damage before it, or the sync words its bytes may hold, widen both margins.
std::optional<PieceFailure> CheckPiece(const std::string& path, const PieceExpectation& expected,
                                       const std::function<bool()>& stopRequested);

}  // namespace parvane
