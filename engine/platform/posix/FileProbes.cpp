#include "engine/files/FileProbes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "engine/platform/posix/FileStatus.h"

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

namespace {

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// Less room than the splitter's write buffers hold: the last write of a run could not fit.
constexpr unsigned long long kNearlyFullBytes = 64ULL * 1024;

}  // namespace

FileIdentity IdentityFromStatus(const struct stat& info) {
    return FileIdentity{info.st_dev, info.st_ino, static_cast<std::int64_t>(info.st_size),
                        Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
}

NameStatus StatusOfName(const std::string& path) {
    NameStatus status;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        status.error = errno;
    } else {
        status.kind = KindFromStatus(info);
        status.identity = IdentityFromStatus(info);
    }
    return status;
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
    return target && std::any_of(files.begin(), files.end(),
                                 [&](const FileIdentity& file) { return file.SameFile(*target); });
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// PATH_MAX counts the end byte.
bool PathLengthFits(const std::string& path) {
    return path.size() < PATH_MAX;
}

bool NameLengthFits(const std::string& name) {
    return name.size() <= NAME_MAX;
}

bool FolderNearlyFull(const std::string& folder) {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) {
        return false;
    }
    // Blocks kept for the administrator are free to a job run as root.
    const unsigned long long freeBlocks = ::geteuid() == 0 ? info.f_bfree : info.f_bavail;
    return freeBlocks * info.f_frsize < kNearlyFullBytes ||
           (info.f_files > 0 && info.f_favail == 0);
}

}  // namespace parvane
