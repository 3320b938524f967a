#include "engine/process/BrokenPipes.h"

#include <windows.h>

#include <io.h>

namespace parvane {

// Windows has no signal for a closed pipe: the write fails.
void IgnoreBrokenPipes() {}

// An empty write tells a pipe whose reader has gone without sending anything.
bool OutputClosed(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE || ::GetFileType(handle) != FILE_TYPE_PIPE) {
        return false;
    }
    DWORD written = 0;
    if (::WriteFile(handle, "", 0, &written, nullptr)) {
        return false;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE;
}

}  // namespace parvane
