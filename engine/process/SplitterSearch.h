// Where the splitter program is taken from: beside our own program, else from PATH.
#pragma once

#include <optional>
#include <string>

namespace parvane {

inline constexpr const char* kSplitterName = "mp3splt";

// mp3splt beside the program, else the first one in an absolute folder of PATH; nullopt
// when neither exists. The file looked for is named as the system names programs
// (ProgramNames.h).
std::optional<std::string> FindSplitter(const std::string& applicationFolder);
// The same with the folders to search given as a PATH-style list.
std::optional<std::string> FindSplitter(const std::string& applicationFolder,
                                        const std::string& searchPath);
// The process's PATH, empty when it has none.
std::string SearchPath();

}  // namespace parvane
