// Questions asked of files outside the splitter: a byte size and plain existence.
// Neither reports an error: every failure becomes its result.
#pragma once

#include <cstdint>
#include <string>

namespace parvane {

// Byte size of a regular file that can be opened for reading; -1 otherwise (missing,
// unreadable, a folder).
std::int64_t FileSize2(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace parvane
