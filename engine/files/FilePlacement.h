// Putting a finished file under its final name without replacing anything that was not
// meant to go, and with no more readers than the file it was made from. The build picks the
// system's own way to place a file in one step; the checked way below is what every system
// has.
#pragma once

#include <cstdint>
#include <string>

#include "engine/files/FileProbes.h"

namespace parvane {

// Moves from to `to`, a name nothing may lie at. Returns 0, EEXIST when something lies
// there (it is kept), or the errno of the failure.
int MoveToFreeName(const std::string& from, const std::string& to);

// Swaps two names in one step: 0 or the errno (EINVAL or ENOSYS where the system or its file
// system cannot).
int ExchangeNames(const std::string& first, const std::string& second);
using NameExchange = int (*)(const std::string&, const std::string&);

// Moves from over `to`, which must still be the regular file `expected` describes (same
// file, size and modification time) and is then replaced. Returns 0, EEXIST when anything
// else lies there (it is kept), or the errno of the failure. When the swap could not be taken
// back, the file that had the name lies at `from` and its errno is returned. exchange stands
// in for ExchangeNames in tests.
int MoveOver(const std::string& from, const std::string& to, const FileIdentity& expected,
             NameExchange exchange = ExchangeNames);

// The fallbacks: a hard link, which no existing name takes, and where the file system has
// none, a look just before a plain rename; a look just before the rename over a file.
int MoveToFreeNameByLink(const std::string& from, const std::string& to);
int MoveOverChecked(const std::string& from, const std::string& to, const FileIdentity& expected);

// True when path names, without following a link, the regular file expected describes.
bool IsExpectedFile(const std::string& path, const FileIdentity& expected);

// Takes a file's name away (never a folder's); a name that cannot go is left as it is.
void RemoveFile(const std::string& path);

// Who may read a file: its permission bits and its group, where the system has them.
struct FileAccess {
    std::uint32_t mode = 0;
    std::uint32_t group = 0;
};

// Leaves path readable by no more people than source: its permission bits keep only those
// source has, and it takes source's group, or where that is not allowed loses its group's
// bits. 0 or the errno.
int NarrowAccess(const std::string& path, const FileAccess& source);

}  // namespace parvane
