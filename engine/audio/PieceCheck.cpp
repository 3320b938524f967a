#include "engine/audio/PieceCheck.h"

#include <algorithm>

#include "engine/audio/AudioFrames.h"
#include "engine/audio/Mp3Tags.h"
#include "engine/files/FileReading.h"

namespace parvane {

namespace {

constexpr double kFramesShorter = 3.0;
constexpr double kFramesLonger = 3.0;
// The splitter's own decoder may take for frames sync words that the reference library
// rejects as not of the stream: random bytes hold one in 2,048.
constexpr double kDamagedBytesPerSyncWord = 2048.0;
// Nearly all bytes of a piece outside its tags and the damage of its stretch of the source
// belong to its frames: random bytes hold a few chance frame headers at most.
constexpr double kLeastAudioShare = 0.9;

bool NearlyAllAudio(int fd, const AudioFrames& audio, std::int64_t damageAllowed,
                    const std::function<bool()>& stopRequested) {
    const std::int64_t counted =
        audio.fileBytes - std::min(audio.fileBytes - audio.audioBytes, damageAllowed);
    const auto share = [&](std::int64_t tags) {
        return static_cast<double>(audio.audioBytes) / static_cast<double>(counted - tags);
    };
    if (share(0) >= kLeastAudioShare) {
        return true;
    }
    const TagBytesOf tags = TagBytes(fd, stopRequested);
    return share(tags.atStart + tags.atEnd) >= kLeastAudioShare;
}

}  // namespace

std::optional<PieceFailure> CheckPiece(const std::string& path, const PieceExpectation& expected,
                                       const std::function<bool()>& stopRequested) {
    const OpenedFile opened = OpenForReading(path);
    const int fd = opened.file.get();
    const AudioFrames audio = fd >= 0 ? ReadAudioFrames(fd, stopRequested) : AudioFrames{};
    if (audio.result != AudioFrames::Result::Audio || audio.sampleRate != expected.sampleRate ||
        !NearlyAllAudio(fd, audio, expected.damagedBytes, stopRequested)) {
        return PieceFailure{.kind = PieceFailure::Kind::NotSourceAudio};
    }
    const double seconds = audio.seconds;
    const double chance =
        std::max(static_cast<double>(expected.chanceFrames),
                 static_cast<double>(expected.damagedBytes) / kDamagedBytesPerSyncWord);
    if (seconds < expected.seconds - (kFramesShorter + chance) * expected.frameSeconds ||
        seconds > expected.seconds + (kFramesLonger + chance) * expected.frameSeconds) {
        return PieceFailure{.kind = PieceFailure::Kind::WrongLength,
                            .seconds = seconds,
                            .expectedSeconds = expected.seconds};
    }
    return std::nullopt;
}

}  // namespace parvane
