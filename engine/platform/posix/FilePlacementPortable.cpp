#include <cerrno>

#include "engine/files/FilePlacement.h"

namespace parvane {

int MoveToFreeName(const std::string& from, const std::string& to) {
    return MoveToFreeNameByLink(from, to);
}

int ExchangeNames(const std::string&, const std::string&) {
    return ENOSYS;
}

}  // namespace parvane
