#include "SourceMeasure.h"

#include <fcntl.h>
#include <mpg123.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace parvane {

namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using Mpg123Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads every frame header, so the length is exact even without a Xing or LAME tag.
void MeasureAudio(int fd, SourceMeasure& measure) {
    // Needed before any other call by libraries older than 1.27; harmless after.
    static const bool ready = mpg123_init() == MPG123_OK;
    int error = MPG123_OK;
    const Mpg123Handle handle(ready ? mpg123_new(nullptr, &error) : nullptr);
    if (!handle) {
        measure.problem = MakeProblem(FileProblem::Kind::CannotRead, ENOMEM);
        return;
    }
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_open_fd(handle.get(), fd) != MPG123_OK || mpg123_scan(handle.get()) != MPG123_OK ||
        mpg123_getformat(handle.get(), &rate, &channels, &encoding) != MPG123_OK || rate <= 0) {
        measure.problem = MakeProblem(FileProblem::Kind::NotMp3);
        return;
    }
    const off_t samples = mpg123_length(handle.get());
    const int samplesPerFrame = mpg123_spf(handle.get());
    if (samples <= 0 || samplesPerFrame <= 0) {
        measure.problem = MakeProblem(FileProblem::Kind::NotMp3);
        return;
    }
    measure.seconds = static_cast<double>(samples) / static_cast<double>(rate);
    measure.frameSeconds = static_cast<double>(samplesPerFrame) / static_cast<double>(rate);
}

}  // namespace

SourceMeasure MeasureSource(const std::string& path) {
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
    char probe = 0;
    if (::pread(file.get(), &probe, 1, 0) < 0) {
        measure.problem = MakeProblem(FileProblem::Kind::CannotRead, errno);
        return measure;
    }
    MeasureAudio(file.get(), measure);
    return measure;
}

}  // namespace parvane
