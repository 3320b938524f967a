#include "FilePlacement.h"

namespace parvane {

int MoveToFreeName(const std::string& from, const std::string& to) {
    return MoveToFreeNameByLink(from, to);
}

int MoveOver(const std::string& from, const std::string& to, const FileIdentity& expected) {
    return MoveOverChecked(from, to, expected);
}

}  // namespace parvane
