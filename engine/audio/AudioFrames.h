// The MPEG audio of an open file as the reference decoder library finds it, frame by frame
// and without decoding: which kind of audio it is, how long it plays, which stretches of
// bytes that are not audio were passed over, and where its format changes.
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
    // After the last frame (tags aside): padding, or a download cut short on a file that
    // was made full size beforehand.
    bool atEnd = false;
    bool zeros = false;  // atEnd: every byte of it is zero

    bool operator==(const DamagedStretch&) const = default;
};

// Where the audio goes on at another sample rate, which the splitter's count of time does
// not follow.
struct FormatChange {
    double atSeconds = 0.0;
    long fromRate = 0;
    int fromChannels = 0;
    long toRate = 0;
    int toChannels = 0;

    bool operator==(const FormatChange&) const = default;
};

struct AudioFrames {
    enum class Result {
        Audio,       // an MPEG layer III stream of at least a few frames
        NoAudio,     // layer: the layer of other MPEG audio found, else 0
        Stopped,     // a stop was asked for before the end
        ReadFailed,  // error: errno of the read
    };
    Result result = Result::NoAudio;
    int error = 0;
    int layer = 0;
    long sampleRate = 0;  // of the audio's first frames
    int samplesPerFrame = 0;
    double seconds =
        0.0;  // without the encoder's delay and padding where its Info frame names them
    bool infoFrame = false;       // an encoder's Info (Xing) frame leads the audio
    bool freeFormat = false;      // its frames name no bit rate (lame --freeformat)
    std::int64_t audioBytes = 0;  // of the frames taken for audio, the Info frame among them
    std::int64_t fileBytes = 0;
    std::vector<DamagedStretch> damaged;
    std::vector<FormatChange> changes;

    double FrameSeconds() const {
        return static_cast<double>(samplesPerFrame) / static_cast<double>(sampleRate);
    }
};

// Reads fd from its start. stopRequested, when set, is asked before every read of the file.
AudioFrames ReadAudioFrames(int fd, const std::function<bool()>& stopRequested);

}  // namespace parvane
