#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "engine/process/ChildWait.h"

namespace parvane {

namespace {

// How long a stop may go unnoticed.
constexpr int kStopCheckMs = 10;

ChildWaitResult Reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return {ChildWaitResult::Kind::Failed, errno};
        }
    }
    return {ChildWaitResult::Kind::Ended, status};
}

}  // namespace

// A process file descriptor becomes readable the moment the child ends, so poll() wakes
// at once for that and otherwise every few milliseconds to look for a stop.
ChildWaitResult WaitForChild(pid_t pid, const WaitHooks& hooks) {
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0) {
        return WaitForChildByPolling(pid, hooks);  // kernels before 5.3
    }
    for (;;) {
        pollfd watch{pidfd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, kStopCheckMs);
        const int error = errno;
        if (ready > 0) {
            ::close(pidfd);
            return Reap(pid);
        }
        if (ready < 0 && error != EINTR) {
            ::close(pidfd);
            return WaitForChildByPolling(pid, hooks);
        }
        if (hooks.stopRequested && hooks.stopRequested()) {
            ::close(pidfd);
            return {ChildWaitResult::Kind::Stopped, 0};
        }
    }
}

}  // namespace parvane
