#include "PieceCheck.h"

#include <fcntl.h>

#include "AudioFrames.h"
#include "FileDescriptor.h"

namespace parvane {

namespace {

constexpr double kFramesShorter = 3.0;
constexpr double kFramesLonger = 3.0;

}  // namespace

std::optional<PieceFailure> CheckPiece(const std::string& path, const PieceExpectation& expected,
                                       const std::function<bool()>& stopRequested) {
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const AudioFrames audio = file.get() >= 0 ? ReadAudioFrames(file.get(), stopRequested,
                                                                expected.damagedBytes)
                                              : AudioFrames{};
    constexpr int kMp3Layer = 3;
    if (audio.result != AudioFrames::Result::Audio || audio.layer != kMp3Layer ||
        audio.sampleRate != expected.sampleRate) {
        return PieceFailure{.kind = PieceFailure::Kind::NotSourceAudio};
    }
    const double seconds = audio.Seconds();
    const auto chance = static_cast<double>(expected.chanceFrames);
    if (seconds < expected.seconds - (kFramesShorter + chance) * expected.frameSeconds ||
        seconds > expected.seconds + (kFramesLonger + chance) * expected.frameSeconds) {
        return PieceFailure{.kind = PieceFailure::Kind::WrongLength,
                            .seconds = seconds,
                            .expectedSeconds = expected.seconds};
    }
    return std::nullopt;
}

}  // namespace parvane
