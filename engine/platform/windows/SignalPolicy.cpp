#include "engine/process/SignalPolicy.h"

#include <windows.h>

#include <atomic>

namespace parvane {

namespace {

std::atomic<StopNotice*> consoleNotice{nullptr};

// Runs on a thread of its own that the system starts. After a closed console, or the user
// logging off, the system ends the program once this returns, the splitter with it through
// its job object.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            consoleNotice.load()->Request();
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

// A program started with Ctrl+C disabled (as one started in a new process group is) gets no
// CTRL_C_EVENT at all, so it stays ignored without a look at how we were started.
StopNotice& StopOnSignals() {
    if (consoleNotice.load() == nullptr) {
        consoleNotice = new StopNotice;  // never deleted: the handler may still run at exit
        ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    }
    return *consoleNotice.load();
}

// A process handle keeps its exit code however the child ended: nothing to set up.
void KeepChildrenWaitable() {}

}  // namespace parvane
