// What a source is before any splitter run: a readable regular file holding MPEG audio,
// its exact playing time as the reference decoder library reads it, and which file it is.
#pragma once

#include <string>

#include "FileProbes.h"

namespace parvane {

struct SourceMeasure {
    // Empty when the source can be split, else why not: "not found", "not a file",
    // "not an MP3 file", "cannot be read (<system error text>)".
    std::string problem;
    FileIdentity identity;
    double seconds = 0.0;       // playing time without encoder delay and padding
    double frameSeconds = 0.0;  // playing time of one frame
};

SourceMeasure MeasureSource(const std::string& path);

}  // namespace parvane
