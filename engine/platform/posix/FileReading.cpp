#include "engine/files/FileReading.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "engine/platform/posix/FileStatus.h"

namespace parvane {

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

OpenedFile OpenForReading(const std::string& path, LinkAtPath atPath) {
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                      (atPath == LinkAtPath::Refuse ? O_NOFOLLOW : 0);
    OpenedFile opened;
    FileDescriptor file(::open(path.c_str(), flags));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
        opened.error = errno;
        return opened;
    }
    opened.kind = KindFromStatus(info);
    opened.identity = IdentityFromStatus(info);
    if (opened.kind == FileKind::Regular) {
        const int status = ::fcntl(file.get(), F_GETFL);
        if (status >= 0) {
            ::fcntl(file.get(), F_SETFL, status & ~O_NONBLOCK);
        }
    }
    opened.file = std::move(file);
    return opened;
}

std::int64_t ReadAt(int fd, void* into, std::size_t bytes, std::int64_t offset) {
    return ::pread(fd, into, bytes, static_cast<off_t>(offset));
}

std::int64_t FileSizeOf(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
}

}  // namespace parvane
