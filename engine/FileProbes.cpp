#include "FileProbes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace parvane {

std::int64_t RegularFileSize(const std::string& path) {
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

FileIdentity IdentityFromStatus(const struct stat& info) {
    return FileIdentity{info.st_dev, info.st_ino, static_cast<std::int64_t>(info.st_size),
                        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                            info.st_mtim.tv_nsec};
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return IdentityFromStatus(info);
}

bool IsOneOf(const std::string& path, const std::vector<FileIdentity>& files) {
    const std::optional<FileIdentity> target = IdentityOf(path);
    return target && std::any_of(files.begin(), files.end(), [&](const FileIdentity& file) {
               return file.SameFile(*target);
           });
}

}  // namespace parvane
