#include "engine/process/ChildWait.h"

#include <poll.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <thread>

#include "engine/process/StopNotice.h"

namespace parvane {

namespace {

// Without an end descriptor: how long the child's end may go unnoticed.
constexpr auto kNap = std::chrono::milliseconds(2);

// True once the child has ended (or can no longer be waited for), without reaping it.
bool ChildEnded(pid_t pid) {
    siginfo_t info{};
    for (;;) {
        if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0) {
            return info.si_pid == pid;
        }
        if (errno != EINTR) {
            return true;
        }
    }
}

}  // namespace

ChildWaitResult WaitForChild(pid_t pid, int endDescriptor, const WaitHooks& hooks) {
    // poll() passes over entries of -1. Asked for no event, it still reports POLLERR on a
    // pipe whose reader is gone.
    std::array<pollfd, 3> watch{{
        {endDescriptor, POLLIN, 0},
        {hooks.stop != nullptr ? hooks.stop->Handle() : -1, POLLIN, 0},
        {hooks.output, 0, 0},
    }};
    pollfd& childEnd = watch[0];
    pollfd& output = watch[2];
    const int timeout = endDescriptor >= 0 ? -1 : static_cast<int>(kNap.count());
    for (;;) {
        for (pollfd& entry : watch) {
            entry.revents = 0;
        }
        const int ready = ::poll(watch.data(), watch.size(), timeout);
        const bool refused = ready < 0 && errno != EINTR;
        if (refused) {
            std::this_thread::sleep_for(kNap);  // no memory for the poll: look after a nap
        }
        if (endDescriptor < 0 || childEnd.revents != 0 || refused) {
            int status = 0;
            const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
            const int error = errno;
            if (reaped == pid) {
                return {ChildWaitResult::Kind::Ended, status};
            }
            if (reaped < 0 && error != EINTR) {
                return {ChildWaitResult::Kind::Failed, error};
            }
        }
        if ((output.revents & POLLERR) != 0 || (hooks.stop != nullptr && hooks.stop->Requested())) {
            return {ChildWaitResult::Kind::Stopped, 0};
        }
        if (output.revents != 0) {
            output.fd = -1;  // a hung-up terminal or a closed descriptor would wake every poll
        }
    }
}

bool ChildEndsWithin(pid_t pid, int endDescriptor, std::chrono::milliseconds limit) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        if (ChildEnded(pid)) {
            return true;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (endDescriptor >= 0) {
            pollfd childEnd{endDescriptor, POLLIN, 0};
            ::poll(&childEnd, 1, static_cast<int>(left.count()));
        } else {
            std::this_thread::sleep_for(std::min<std::chrono::milliseconds>(left, kNap));
        }
    }
}

}  // namespace parvane
