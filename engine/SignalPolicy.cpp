#include "SignalPolicy.h"

#include <signal.h>

#include <initializer_list>

namespace parvane {

void CatchStopSignals(void (*handler)(int), bool restartCalls) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = restartCalls ? SA_RESTART : 0;
    for (const int stop : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction inherited {};
        if (::sigaction(stop, nullptr, &inherited) == 0 &&
            (inherited.sa_flags & SA_SIGINFO) == 0 && inherited.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(stop, &action, nullptr);
    }
}

}  // namespace parvane
