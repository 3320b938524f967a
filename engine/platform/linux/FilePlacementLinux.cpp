#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "engine/files/FilePlacement.h"

namespace parvane {

namespace {

int Rename(const std::string& from, const std::string& to, unsigned int flags) {
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags) == 0 ? 0 : errno;
}

}  // namespace

int MoveToFreeName(const std::string& from, const std::string& to) {
    const int error = Rename(from, to, RENAME_NOREPLACE);
    return error == EINVAL || error == ENOSYS ? MoveToFreeNameByLink(from, to) : error;
}

int ExchangeNames(const std::string& first, const std::string& second) {
    return Rename(first, second, RENAME_EXCHANGE);
}

}  // namespace parvane
