#include "engine/process/SignalPolicy.h"

#include <windows.h>

#include <atomic>
#include <csignal>

namespace parvane {

namespace {

std::atomic<void (*)(int)> stopHandler{nullptr};

// Runs on a thread of its own that the system starts; a console closed, or the user logging
// off, ends the program once this returns, the splitter with it through its job object.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    void (*handler)(int) = stopHandler.load();
    if (handler == nullptr) {
        return FALSE;
    }
    switch (event) {
        case CTRL_C_EVENT:
            handler(SIGINT);
            return TRUE;
        case CTRL_BREAK_EVENT:
            handler(SIGBREAK);
            return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            handler(SIGTERM);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

// A program started with Ctrl+C disabled (as one started in a new process group is) gets no
// CTRL_C_EVENT at all, so it stays ignored without a look at how we were started.
void CatchStopSignals(void (*handler)(int)) {
    stopHandler.store(handler);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

// A process handle keeps its exit code however the child ended: nothing to set up.
void KeepChildrenWaitable() {}

}  // namespace parvane
