// What waiting for the splitter costs: how often the waiting thread wakes while a child
// sleeps for two seconds (its voluntary context switches), and how long a stop takes to end
// the wait (from Request() to the wait's return, the median of 20). The wait on the child's
// pidfd and the stop notice is measured against the wait it replaced, which polled the
// pidfd every 10 ms and looked for a stop in between, and beside the fallback for kernels
// without pidfd, which asks after the child between naps of 2 ms. Prints figures and ratios.
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include "engine/files/FileDescriptor.h"
#include "engine/process/ChildWait.h"
#include "engine/process/StopNotice.h"

namespace {

using Clock = std::chrono::steady_clock;
using parvane::ChildWaitResult;
using parvane::StopNotice;

constexpr int kStopRounds = 20;

using Wait = std::function<ChildWaitResult(pid_t, int, const StopNotice&)>;

// The wait before the stop notice: poll() on the pidfd with a timeout of 10 ms, and a look
// for a stop after every timeout.
ChildWaitResult WaitPolledEvery10Ms(pid_t pid, int pidfd, const StopNotice& stop) {
    for (;;) {
        pollfd watch{pidfd, POLLIN, 0};
        if (::poll(&watch, 1, 10) > 0) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            return {ChildWaitResult::Kind::Ended, status};
        }
        if (stop.Requested()) {
            return {ChildWaitResult::Kind::Stopped, 0};
        }
    }
}

ChildWaitResult WaitOnNotice(pid_t pid, int pidfd, const StopNotice& stop) {
    parvane::WaitHooks hooks;
    hooks.stop = &stop;
    return parvane::WaitForChild(pid, pidfd, hooks);
}

ChildWaitResult WaitBetweenNaps(pid_t pid, int, const StopNotice& stop) {
    parvane::WaitHooks hooks;
    hooks.stop = &stop;
    return parvane::WaitForChild(pid, -1, hooks);
}

pid_t StartSleep(const char* seconds) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execlp("sleep", "sleep", seconds, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

long VoluntarySwitches() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

// Wake-ups a second of the waiting thread while the child sleeps 2 s.
double WakeUpsPerSecond(const Wait& wait) {
    const StopNotice stop;
    const pid_t child = StartSleep("2");
    const parvane::FileDescriptor pidfd(parvane::OpenChildEndDescriptor(child));
    const long before = VoluntarySwitches();
    const Clock::time_point start = Clock::now();
    wait(child, pidfd.get(), stop);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return static_cast<double>(VoluntarySwitches() - before) / seconds;
}

// Microseconds from Request() to the wait's return, the median of the rounds. The requests
// come at times spread over a polling period.
double StopLatencyMicroseconds(const Wait& wait) {
    std::vector<double> latencies;
    for (int round = 0; round < kStopRounds; ++round) {
        StopNotice stop;
        const pid_t child = StartSleep("30");
        const parvane::FileDescriptor pidfd(parvane::OpenChildEndDescriptor(child));
        std::atomic<Clock::rep> requestedAt{0};
        std::thread requester([&stop, &requestedAt, round] {
            std::this_thread::sleep_for(std::chrono::microseconds(20000 + 1000 * (round % 10)));
            requestedAt = Clock::now().time_since_epoch().count();
            stop.Request();
        });
        wait(child, pidfd.get(), stop);
        const Clock::rep returnedAt = Clock::now().time_since_epoch().count();
        requester.join();
        latencies.push_back(std::chrono::duration<double, std::micro>(
                                Clock::duration(returnedAt - requestedAt.load()))
                                .count());
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    std::nth_element(latencies.begin(), latencies.begin() + kStopRounds / 2, latencies.end());
    return latencies[kStopRounds / 2];
}

}  // namespace

int main() {
    struct Row {
        const char* name;
        Wait wait;
        double wakeUps = 0;
        double latency = 0;
    };
    std::vector<Row> rows = {
        {"pidfd, polled every 10 ms (before)", WaitPolledEvery10Ms},
        {"pidfd and stop notice", WaitOnNotice},
        {"no pidfd: naps of 2 ms + notice", WaitBetweenNaps},
    };
    for (Row& row : rows) {
        row.wakeUps = WakeUpsPerSecond(row.wait);
        row.latency = StopLatencyMicroseconds(row.wait);
    }
    const Row& baseline = rows.front();
    std::printf("%-36s %14s %9s %18s %9s\n", "wait", "wake-ups/s", "ratio", "stop latency (us)",
                "ratio");
    for (const Row& row : rows) {
        std::printf("%-36s %14.1f %9.3f %18.0f %9.3f\n", row.name, row.wakeUps,
                    row.wakeUps / baseline.wakeUps, row.latency, row.latency / baseline.latency);
    }
    std::printf("ratio: against the wait before; below 1 is fewer wake-ups, a quicker stop\n");
    return 0;
}
