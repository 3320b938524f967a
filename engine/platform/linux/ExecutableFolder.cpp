#include <unistd.h>

#include "engine/names/PiecePaths.h"
#include "engine/process/ProgramFolders.h"

namespace parvane {

std::string ExecutableFolder() {
    char target[4096];
    const ssize_t length = ::readlink("/proc/self/exe", target, sizeof target - 1);
    if (length <= 0) {
        return {};
    }
    const std::string path(target, static_cast<std::size_t>(length));
    return GetFolderWithoutSlash(path);
}

}  // namespace parvane
