#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "FilePlacement.h"

namespace parvane {

namespace {

int Rename(const std::string& from, const std::string& to, unsigned int flags) {
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags) == 0 ? 0 : errno;
}

// Kernels and file systems that do not know the flag.
bool Unsupported(int error) { return error == EINVAL || error == ENOSYS; }

}  // namespace

int MoveToFreeName(const std::string& from, const std::string& to) {
    const int error = Rename(from, to, RENAME_NOREPLACE);
    return Unsupported(error) ? MoveToFreeNameByLink(from, to) : error;
}

// The two names swap in one step; what came out from under `to` is looked at afterwards,
// and swapped back unless it is the expected file, so no moment exists in which another
// file could slip in and be lost.
int MoveOver(const std::string& from, const std::string& to, const FileIdentity& expected) {
    const int error = Rename(from, to, RENAME_EXCHANGE);
    if (error != 0) {
        return Unsupported(error) ? MoveOverChecked(from, to, expected) : error;
    }
    if (IsExpectedFile(from, expected)) {
        ::unlink(from.c_str());
        return 0;
    }
    Rename(from, to, RENAME_EXCHANGE);
    return EEXIST;
}

}  // namespace parvane
