#include "engine/files/FilePlacement.h"

#include <cerrno>

namespace parvane {

// The two names swap in one step; what came out from under `to` is looked at afterwards,
// and swapped back unless it is the expected file, so no moment exists in which another
// file could slip in and be lost. Only the expected file is ever removed. Where the system
// or its file system swaps nothing, the look just before the replacing move is all there is.
int MoveOver(const std::string& from, const std::string& to, const FileIdentity& expected,
             NameExchange exchange) {
    const int error = exchange(from, to);
    if (error == EINVAL || error == ENOSYS) {
        return MoveOverChecked(from, to, expected);
    }
    if (error != 0) {
        return error;
    }
    if (IsExpectedFile(from, expected)) {
        RemoveFile(from);
        return 0;
    }
    const int back = exchange(from, to);
    return back == 0 ? EEXIST : back;
}

}  // namespace parvane
