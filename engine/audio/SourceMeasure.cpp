#include "engine/audio/SourceMeasure.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "engine/audio/ContentKind.h"
#include "engine/files/FileDescriptor.h"

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
    // O_NONBLOCK keeps a named pipe from holding the job until a writer appears.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        const int error = errno;
        measure.problem = error == ENOENT || error == ENOTDIR
                              ? MakeProblem(FileProblem::Kind::NotFound)
                              : MakeProblem(FileProblem::Kind::CannotRead, error);
        return measure;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        measure.problem = MakeProblem(FileProblem::Kind::CannotRead, errno);
        return measure;
    }
    if (!S_ISREG(info.st_mode)) {
        measure.problem = MakeProblem(FileProblem::Kind::NotAFile);
        return measure;
    }
    measure.identity = IdentityFromStatus(info);
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0) {
        ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
    }
    MeasureAudio(file.get(), stopRequested, measure);
    return measure;
}

}  // namespace parvane
