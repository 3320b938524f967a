#include "engine/process/ProgramNames.h"

namespace parvane {

std::string ProgramFileName(std::string_view name) {
    return std::string(name) + ".exe";
}

char SearchPathSeparator() {
    return ';';
}

// "C:/x", "C:\x", and a share's "//server/x" or "\\server\x"; "/x" and "C:x" depend on the
// current drive or its folder.
bool IsAbsoluteFolder(std::string_view folder) {
    const auto isSlash = [](char c) { return c == '/' || c == '\\'; };
    const bool drive =
        folder.size() >= 3 &&
        ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z')) &&
        folder[1] == ':' && isSlash(folder[2]);
    const bool share = folder.size() >= 2 && isSlash(folder[0]) && isSlash(folder[1]);
    return drive || share;
}

}  // namespace parvane
