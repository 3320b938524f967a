#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "engine/files/FilePlacement.h"
#include "engine/platform/posix/FileStatus.h"

namespace parvane {

bool IsExpectedFile(const std::string& path, const FileIdentity& expected) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           IdentityFromStatus(info).SameContent(expected);
}

int MoveToFreeNameByLink(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        RemoveFile(from);
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK) {
        return errno;
    }
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        return EEXIST;
    }
    if (errno != ENOENT) {
        return errno;
    }
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int MoveOverChecked(const std::string& from, const std::string& to, const FileIdentity& expected) {
    if (!IsExpectedFile(to, expected)) {
        return EEXIST;
    }
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

FileAccess AccessFromStatus(const struct stat& info) {
    return {static_cast<std::uint32_t>(info.st_mode & 07777), info.st_gid};
}

int NarrowAccess(const std::string& path, const FileAccess& source) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno;
    }
    mode_t mode = info.st_mode & static_cast<mode_t>(source.mode) & 0777;
    const auto group = static_cast<gid_t>(source.group);
    if (info.st_gid != group && ::chown(path.c_str(), static_cast<uid_t>(-1), group) != 0) {
        mode &= ~static_cast<mode_t>(S_IRWXG);
    }
    return ::chmod(path.c_str(), mode) == 0 ? 0 : errno;
}

}  // namespace parvane
