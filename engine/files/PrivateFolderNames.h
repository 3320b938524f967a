// How private folders and the files in them are named, the same on every system: the
// clean-up takes only what these names describe.
#pragma once

#include <cstddef>
#include <string_view>

namespace parvane {

inline constexpr std::string_view kPrivateFolderPrefix = ".parvane-";
inline constexpr std::size_t kUniqueLetters = 6;  // mkdtemp's XXXXXX
inline constexpr const char* kLockName = "lock";
// A lock file is made under this name and gets kLockName only once it is held.
inline constexpr const char* kNewLockName = "lock.new";

// ".parvane-<digits>-<six letters or digits>", as PrivateFolder names its folders.
bool HasPrivateName(std::string_view name);

// The lock and what the splitter writes ("piece", "piece.mp3").
bool IsPrivateFileName(std::string_view name);

}  // namespace parvane
