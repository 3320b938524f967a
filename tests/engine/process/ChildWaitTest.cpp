// The wait for a child sleeps until the child ends, a stop is requested or the output's
// reader goes away: with the child's end descriptor (a pidfd) and without one, as on
// kernels that have none.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>

#include "engine/files/FileDescriptor.h"
#include "engine/process/ChildWait.h"
#include "engine/process/StopNotice.h"
#include "tests/support/RequestStopWhen.h"

namespace parvane {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Kind = ChildWaitResult::Kind;
using testing::After;
using testing::RequestStopWhen;

pid_t StartShell(const char* script) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl("/bin/sh", "sh", "-c", script, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

void Kill(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// Until it has ended, left unreaped.
void AwaitEnd(pid_t pid) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0) {
    }
}

// Both ways of waiting: with the child's end descriptor, and asking after the child.
template <typename Wait>
void EachWay(Wait wait) {
    for (const bool withDescriptor : {true, false}) {
        SCOPED_TRACE(withDescriptor ? "end descriptor" : "asking between naps");
        wait([withDescriptor](pid_t pid, const WaitHooks& hooks) {
            const FileDescriptor childEnd(withDescriptor ? OpenChildEndDescriptor(pid) : -1);
            EXPECT_TRUE(!withDescriptor || childEnd.get() >= 0);
            return WaitForChild(pid, childEnd.get(), hooks);
        });
    }
}

// A stop wakes the wait though the child would sleep for half a minute, whether it comes
// during the wait or came before it; so does the output's reader going away. The child is
// left running for the caller to end.
TEST(ChildWait, AStopOrALostReaderWakesTheWaitWhileTheChildRuns) {
    enum class Stop { During, Before, ReaderGoneDuring, ReaderGoneBefore };
    EachWay([](auto wait) {
        for (const Stop stop :
             {Stop::During, Stop::Before, Stop::ReaderGoneDuring, Stop::ReaderGoneBefore}) {
            SCOPED_TRACE(static_cast<int>(stop));
            StopNotice notice;
            int ends[2] = {-1, -1};
            ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
            const FileDescriptor writeEnd(ends[1]);
            std::optional<FileDescriptor> readEnd(std::in_place, ends[0]);
            if (stop == Stop::Before) notice.Request();
            if (stop == Stop::ReaderGoneBefore) readEnd.reset();
            const pid_t child = StartShell("exec sleep 30");
            std::jthread during([&] {
                std::this_thread::sleep_for(50ms);
                if (stop == Stop::During) notice.Request();
                if (stop == Stop::ReaderGoneDuring) readEnd.reset();
            });
            const Clock::time_point start = Clock::now();
            EXPECT_EQ(wait(child, WaitHooks{&notice, writeEnd.get(), {}}).kind, Kind::Stopped);
            EXPECT_LT(Clock::now() - start, 10s);
            EXPECT_EQ(::waitpid(child, nullptr, WNOHANG), 0);  // still running
            Kill(child);
        }
    });
}

// The child's end ends the wait with its status, the child reaped, also when a stop came at
// the same moment; an output that cannot be watched (a closed descriptor) stops nothing. A
// stop after ten seconds keeps a wait blind to the child's end from hanging the suite.
TEST(ChildWait, TheChildsEndWins) {
    const FileDescriptor null(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    const int closed = ::fcntl(null.get(), F_DUPFD_CLOEXEC, 900);  // above any opened later
    ASSERT_GE(closed, 900);
    ::close(closed);
    EachWay([closed](auto wait) {
        for (const bool stopAsWell : {false, true}) {
            SCOPED_TRACE(stopAsWell);
            StopNotice notice;
            const RequestStopWhen watchdog(notice, After(10s));
            const pid_t child = StartShell("sleep 0.05; exit 7");
            if (stopAsWell) {
                AwaitEnd(child);
                notice.Request();
            }
            const ChildWaitResult ended = wait(child, WaitHooks{&notice, closed, {}});
            EXPECT_EQ(ended.kind, Kind::Ended);
            EXPECT_TRUE(WIFEXITED(ended.value) && WEXITSTATUS(ended.value) == 7);
            EXPECT_EQ(::waitpid(child, nullptr, WNOHANG), -1);
        }
    });
}

// The grace a stopped child gets: it ends early when the child does, leaving it unreaped,
// and gives up at its limit.
TEST(ChildWait, TheGraceEndsWithTheChildOrAtItsLimit) {
    for (const bool withDescriptor : {true, false}) {
        SCOPED_TRACE(withDescriptor);
        const pid_t quick = StartShell("sleep 0.05");
        const pid_t slow = StartShell("exec sleep 30");
        const FileDescriptor quickEnd(withDescriptor ? OpenChildEndDescriptor(quick) : -1);
        const FileDescriptor slowEnd(withDescriptor ? OpenChildEndDescriptor(slow) : -1);
        const Clock::time_point start = Clock::now();
        EXPECT_TRUE(ChildEndsWithin(quick, quickEnd.get(), 20s));
        EXPECT_LT(Clock::now() - start, 10s);
        EXPECT_EQ(::waitpid(quick, nullptr, WNOHANG), quick);
        EXPECT_FALSE(ChildEndsWithin(slow, slowEnd.get(), 100ms));
        EXPECT_GE(Clock::now() - start, 100ms);
        Kill(slow);
    }
}

// The notice is readable from the first request until it is reset, and again after.
TEST(StopNotice, RequestAndReset) {
    StopNotice notice;
    pollfd probe{notice.Handle(), POLLIN, 0};
    for (int round = 0; round < 2; ++round) {
        notice.Request();
        notice.Request();
        EXPECT_TRUE(notice.Requested() && ::poll(&probe, 1, 0) == 1);
        notice.Reset();
        EXPECT_FALSE(notice.Requested() || ::poll(&probe, 1, 0) == 1);
    }
}

}  // namespace
}  // namespace parvane
