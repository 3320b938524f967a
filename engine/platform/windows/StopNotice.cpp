#include "engine/process/StopNotice.h"

#include <windows.h>

#include <system_error>

#include "engine/platform/windows/WindowsText.h"

namespace parvane {

// A manual-reset event stays signalled for every wait until Reset(); SetEvent may come from
// the thread the system starts for a console's Ctrl+C.
StopNotice::StopNotice()
    : readEnd_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), writeEnd_(readEnd_) {
    if (readEnd_ == nullptr) {
        throw std::system_error(LastErrno(), std::generic_category(), "stop notice");
    }
}

StopNotice::~StopNotice() {
    ::CloseHandle(readEnd_);
}

void StopNotice::MakeReadable() const noexcept {
    ::SetEvent(writeEnd_);
}

void StopNotice::Drain() const noexcept {
    ::ResetEvent(readEnd_);
}

}  // namespace parvane
