#include "engine/process/ProgramFolders.h"

namespace parvane {

// POSIX has no way to ask for the running program's file; the splitter is then looked for
// on PATH only.
std::string ExecutableFolder() {
    return {};
}

}  // namespace parvane
