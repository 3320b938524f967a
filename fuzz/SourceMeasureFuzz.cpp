// Any bytes as a source file through the measure and the frame reader, with a stop that is
// never asked for: the measure ends, never reports a stop, knows the file's size, and either
// finds MP3 audio with a playing time or says why the file is not MP3; the frame reader on
// its own finds the same audio and damage, which fit in the file.
#include <cmath>

#include "engine/audio/AudioFrames.h"
#include "engine/audio/SourceMeasure.h"
#include "fuzz/FuzzFile.h"

namespace {

using parvane::fuzz::Require;

bool IsMpegSampleRate(long rate) {
    for (const long mpeg1 : {32000L, 44100L, 48000L}) {
        // MPEG-2 halves the rates of MPEG-1, MPEG-2.5 quarters them.
        if (rate == mpeg1 || rate == mpeg1 / 2 || rate == mpeg1 / 4) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const parvane::fuzz::FuzzFile file(parvane::fuzz::Bytes(data, size));
    const auto never = [] { return false; };
    const parvane::SourceMeasure measure = parvane::MeasureSource(file.Path(), never);
    Require(!measure.stopped, "a stop that never comes is never reported");
    Require(measure.identity.size == static_cast<std::int64_t>(size),
            "the measure knows the file's size");
    if (measure.problem) {
        const parvane::FileProblem& problem = *measure.problem;
        Require(problem.kind == parvane::FileProblem::Kind::NotMp3 ||
                    problem.kind == parvane::FileProblem::Kind::FreeFormat,
                "a readable file is MP3 or is said not to be");
        Require(problem.layer >= 0 && problem.layer <= 2,
                "MPEG audio not taken is of layer 1 or 2");
        Require((problem.content == parvane::ContentKind::Empty) == (size == 0),
                "only an empty file is said to hold nothing");
        return 0;
    }
    Require(std::isfinite(measure.seconds) && measure.seconds > 0.0, "MP3 audio plays for a time");
    Require(IsMpegSampleRate(measure.sampleRate), "MP3 audio has an MPEG sample rate");
    Require(measure.frameSeconds > 0.0 && measure.frameSeconds < 0.1,
            "a frame plays for a few hundredths of a second");
    std::int64_t damagedBytes = 0;
    for (std::size_t k = 0; k < measure.damaged.size(); ++k) {
        const parvane::DamagedStretch& stretch = measure.damaged[k];
        Require(stretch.bytes > 0 && stretch.chanceFrames >= 0 && stretch.atSeconds >= 0.0,
                "a damaged stretch holds bytes");
        Require(k == 0 || stretch.atSeconds >= measure.damaged[k - 1].atSeconds,
                "damaged stretches come in the order of the audio");
        damagedBytes += stretch.bytes;
    }
    Require(damagedBytes < static_cast<std::int64_t>(size), "damage lies inside the file");

    const parvane::AudioFrames frames = parvane::ReadAudioFrames(file.Descriptor(), never);
    Require(frames.result == parvane::AudioFrames::Result::Audio &&
                frames.sampleRate == measure.sampleRate && frames.damaged == measure.damaged &&
                frames.audioBytes + damagedBytes <= frames.fileBytes,
            "the measure's audio is the frames' audio, and frames and damage fit in the file");
    return 0;
}
