// The folders a program runs from and in: the folder of its own file, where the splitter is
// looked for first, and the current folder, from which relative paths are taken. The
// build picks the system's way to tell them.
#pragma once

#include <string>

namespace parvane {

// The folder without a closing "/"; empty when it cannot be told.
std::string ExecutableFolder();

// The current folder's path; empty, with error set to the errno, when it cannot be told (a
// folder that was deleted has none).
std::string CurrentFolderPath(int& error);

}  // namespace parvane
