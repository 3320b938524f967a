#include "FileProbes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace parvane {

std::int64_t FileSize2(const std::string& path) {
    // O_NONBLOCK keeps a named pipe from holding the caller until a writer appears.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return regular ? static_cast<std::int64_t>(info.st_size) : -1;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace parvane
