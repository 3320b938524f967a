#include <unistd.h>

#include <cerrno>
#include <vector>

#include "engine/process/ProgramFolders.h"

namespace parvane {

// getcwd fails for a folder that was deleted rather than give a path that names another.
std::string CurrentFolderPath(int& error) {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            error = errno;
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    error = 0;
    return buffer.data();
}

}  // namespace parvane
