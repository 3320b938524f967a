// Putting a finished file under its final name without replacing anything that was not
// meant to go. The build picks the system's own way to do it in one step; the checked
// way below is what every system has.
#pragma once

#include <string>

#include "FileProbes.h"

namespace parvane {

// Moves from to `to`, a name nothing may lie at. Returns 0, EEXIST when something lies
// there (it is kept), or the errno of the failure.
int MoveToFreeName(const std::string& from, const std::string& to);

// Moves from over `to`, which must still be the regular file `expected` describes (same
// file, size and modification time) and is then replaced. Returns 0, EEXIST when anything
// else lies there (it is kept), or the errno of the failure.
int MoveOver(const std::string& from, const std::string& to, const FileIdentity& expected);

// The fallbacks: a hard link, which no existing name takes, and where the file system has
// none, a look just before a plain rename; a look just before the rename over a file.
int MoveToFreeNameByLink(const std::string& from, const std::string& to);
int MoveOverChecked(const std::string& from, const std::string& to, const FileIdentity& expected);

// True when path names, without following a link, the regular file expected describes.
bool IsExpectedFile(const std::string& path, const FileIdentity& expected);

}  // namespace parvane
