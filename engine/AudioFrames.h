// The MPEG audio of an open file as the reference decoder library finds it, frame by frame
// and without decoding: which kind of audio it is, how long it plays, and which stretches of
// damaged bytes inside it were passed over.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace parvane {

struct DamagedStretch {
    double atSeconds = 0.0;  // playing time of the audio before it
    std::int64_t bytes = 0;
    // Frame headers found in it by chance; a splitter may count them as audio frames.
    std::int64_t chanceFrames = 0;

    bool operator==(const DamagedStretch&) const = default;
};

struct AudioFrames {
    enum class Result {
        Audio,       // one stream of frames covers nearly all bytes outside the tags
        NoAudio,
        Stopped,     // a stop was asked for before the end
        ReadFailed,  // error: errno of the read
    };
    Result result = Result::NoAudio;
    int error = 0;
    int layer = 0;  // 1, 2 or 3
    long sampleRate = 0;
    int samplesPerFrame = 0;
    // Without the encoder's delay and padding where its Info frame names them.
    std::int64_t samples = 0;
    bool infoFrame = false;  // an encoder's Info (Xing) frame leads the audio
    std::vector<DamagedStretch> damaged;

    double Seconds() const { return static_cast<double>(samples) / static_cast<double>(sampleRate); }
    double FrameSeconds() const {
        return static_cast<double>(samplesPerFrame) / static_cast<double>(sampleRate);
    }
};

// Reads fd from its start. stopRequested, when set, is asked before every read of the file.
// Up to damageAllowed bytes that are not audio are left out of the share the frames must
// cover: a piece cut from a damaged stretch of its source holds that damage.
AudioFrames ReadAudioFrames(int fd, const std::function<bool()>& stopRequested,
                            std::int64_t damageAllowed = 0);

}  // namespace parvane
