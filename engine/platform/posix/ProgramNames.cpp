#include "engine/process/ProgramNames.h"

namespace parvane {

std::string ProgramFileName(std::string_view name) {
    return std::string(name);
}

char SearchPathSeparator() {
    return ':';
}

bool IsAbsoluteFolder(std::string_view folder) {
    return folder.starts_with('/');
}

}  // namespace parvane
