#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "FilePlacement.h"

namespace parvane {

bool IsExpectedFile(const std::string& path, const FileIdentity& expected) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           IdentityFromStatus(info).SameContent(expected);
}

int MoveToFreeNameByLink(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
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

}  // namespace parvane
