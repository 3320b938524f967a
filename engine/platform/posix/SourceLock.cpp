#include "engine/files/SourceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "engine/platform/posix/FileStatus.h"

namespace parvane {

SourceLock::SourceLock(const std::string& sourcePath) {
    // Without O_NONBLOCK a named pipe would keep the open waiting for a writer.
    fd_ = ::open(sourcePath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        return;
    }
    access_ = AccessFromStatus(info);
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere_ = errno == EWOULDBLOCK;
    }
}

SourceLock::~SourceLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

}  // namespace parvane
