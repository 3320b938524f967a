#include "engine/process/SignalPolicy.h"

#include <signal.h>

#include <atomic>
#include <initializer_list>

namespace parvane {

namespace {

std::atomic<StopNotice*> signalNotice{nullptr};

void RequestStop(int) {
    signalNotice.load()->Request();
}

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int stop : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction inherited {};
        if (::sigaction(stop, nullptr, &inherited) == 0 && (inherited.sa_flags & SA_SIGINFO) == 0 &&
            inherited.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(stop, &action, nullptr);
    }
}

}  // namespace

StopNotice& StopOnSignals() {
    if (signalNotice.load() == nullptr) {
        signalNotice = new StopNotice;  // never deleted: a handler may still run at exit
        CatchStopSignals();
    }
    return *signalNotice.load();
}

void KeepChildrenWaitable() {
    struct sigaction inherited {};
    if (::sigaction(SIGCHLD, nullptr, &inherited) != 0) {
        return;
    }
    const bool ignored = (inherited.sa_flags & SA_SIGINFO) == 0 && inherited.sa_handler == SIG_IGN;
    if (ignored || (inherited.sa_flags & SA_NOCLDWAIT) != 0) {
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        sigemptyset(&standard.sa_mask);
        ::sigaction(SIGCHLD, &standard, nullptr);
    }
}

}  // namespace parvane
