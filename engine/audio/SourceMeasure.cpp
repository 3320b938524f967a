#include "engine/audio/SourceMeasure.h"

#include <cerrno>

#include "engine/audio/ContentKind.h"
#include "engine/files/FileReading.h"

namespace parvane {

namespace {

// What a file that holds no MP3 audio holds instead, where that can be told.
FileProblem NotMp3(int fd, const AudioFrames& audio) {
    FileProblem problem = MakeProblem(FileProblem::Kind::NotMp3);
    problem.layer = audio.layer;
    if (problem.layer == 0) {
        problem.content = ContentKindOf(fd);
    }
    return problem;
}

void MeasureAudio(int fd, const std::function<bool()>& stopRequested, SourceMeasure& measure) {
    const AudioFrames audio = ReadAudioFrames(fd, stopRequested);
    switch (audio.result) {
        case AudioFrames::Result::Stopped:
            measure.stopped = true;
            return;
        case AudioFrames::Result::ReadFailed:
            measure.problem = MakeProblem(FileProblem::Kind::CannotRead, audio.error);
            return;
        case AudioFrames::Result::NoAudio:
        case AudioFrames::Result::Audio:
            break;
    }
    if (audio.result != AudioFrames::Result::Audio || audio.seconds <= 0.0) {
        measure.problem = NotMp3(fd, audio);
        return;
    }
    if (audio.freeFormat) {
        measure.problem = MakeProblem(FileProblem::Kind::FreeFormat);
        return;
    }
    measure.seconds = audio.seconds;
    measure.frameSeconds = audio.FrameSeconds();
    measure.sampleRate = audio.sampleRate;
    measure.infoFrame = audio.infoFrame;
    measure.damaged = audio.damaged;
    measure.changes = audio.changes;
}

}  // namespace

SourceMeasure MeasureSource(const std::string& path, const std::function<bool()>& stopRequested) {
    SourceMeasure measure;
    // A named pipe is opened without waiting for a writer, and then refused.
    const OpenedFile opened = OpenForReading(path);
    if (opened.error != 0) {
        measure.problem = opened.error == ENOENT || opened.error == ENOTDIR
                              ? MakeProblem(FileProblem::Kind::NotFound)
                              : MakeProblem(FileProblem::Kind::CannotRead, opened.error);
        return measure;
    }
    if (opened.kind != FileKind::Regular) {
        measure.problem = MakeProblem(FileProblem::Kind::NotAFile);
        return measure;
    }
    measure.identity = opened.identity;
    MeasureAudio(opened.file.get(), stopRequested, measure);
    return measure;
}

}  // namespace parvane
