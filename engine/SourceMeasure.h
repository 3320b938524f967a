// What a source is before any splitter run: a readable regular file holding MPEG audio,
// its exact playing time as the reference decoder library reads it, and which file it is.
#pragma once

#include <optional>
#include <string>

#include "FileProbes.h"
#include "FileProblem.h"

namespace parvane {

struct SourceMeasure {
    // Set when the source cannot be split: not found, not a file, not MP3, unreadable.
    std::optional<FileProblem> problem;
    FileIdentity identity;
    double seconds = 0.0;       // playing time without encoder delay and padding
    double frameSeconds = 0.0;  // playing time of one frame
};

SourceMeasure MeasureSource(const std::string& path);

}  // namespace parvane
