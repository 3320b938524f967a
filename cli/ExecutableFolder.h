// Where the running program's file lies, the place mp3splt is looked for first.
#pragma once

#include <string>

namespace parvane {

// The folder without a closing "/"; empty when it cannot be told.
std::string ExecutableFolder();

}  // namespace parvane
