#include "ChildWait.h"

#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace parvane {

std::optional<int> WaitForChildByPolling(pid_t pid, const WaitHooks& hooks) {
    // Short sleeps keep the delay after the child's end small; events are still handled
    // far more often than the required 100 ms.
    constexpr auto kNap = std::chrono::milliseconds(2);
    for (;;) {
        int status = 0;
        const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
        if (hooks.handleEvents) {
            hooks.handleEvents();
        }
        if (reaped == pid) {
            return status;
        }
        if (reaped < 0 && errno != EINTR) {
            return 0;  // already reaped elsewhere: nothing more can be learnt
        }
        if (hooks.stopRequested && hooks.stopRequested()) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(kNap);
    }
}

}  // namespace parvane
