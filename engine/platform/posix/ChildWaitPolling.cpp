#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "engine/process/ChildWait.h"

namespace parvane {

ChildWaitResult WaitForChildByPolling(pid_t pid, const WaitHooks& hooks) {
    // Short sleeps keep the delay after the child's end, and after a stop, small.
    constexpr auto kNap = std::chrono::milliseconds(2);
    for (;;) {
        int status = 0;
        const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
        const int error = errno;
        if (reaped == pid) {
            return {ChildWaitResult::Kind::Ended, status};
        }
        if (reaped < 0 && error != EINTR) {
            return {ChildWaitResult::Kind::Failed, error};
        }
        if (hooks.stopRequested && hooks.stopRequested()) {
            return {ChildWaitResult::Kind::Stopped, 0};
        }
        std::this_thread::sleep_for(kNap);
    }
}

}  // namespace parvane
