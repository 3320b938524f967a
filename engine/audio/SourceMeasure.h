// What a source is before any splitter run: a readable regular file holding MP3 audio, its
// exact playing time as the reference decoder library reads it, and which file it is.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/audio/AudioFrames.h"
#include "engine/files/FileProbes.h"
#include "engine/files/FileProblem.h"

namespace parvane {

struct SourceMeasure {
    // Set when the source cannot be split: not found, not a file, not MP3 (or free-format
    // MP3), unreadable.
    std::optional<FileProblem> problem;
    bool stopped = false;  // a stop was asked for before the measure was done
    FileIdentity identity;
    double seconds = 0.0;       // playing time without encoder delay and padding
    double frameSeconds = 0.0;  // playing time of one frame
    long sampleRate = 0;
    // An Info (Xing) frame leads the audio; the splitter then counts frames by itself.
    bool infoFrame = false;
    std::vector<DamagedStretch> damaged;  // passed over inside the audio and after it
    std::vector<FormatChange> changes;
};

// stopRequested, when set, is asked before every 64 KB read: every few hundred frames.
SourceMeasure MeasureSource(const std::string& path,
                            const std::function<bool()>& stopRequested = {});

}  // namespace parvane
