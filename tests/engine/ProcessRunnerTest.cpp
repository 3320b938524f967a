#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "PieceWriter.h"
#include "ProcessRunner.h"
#include "TestSupport.h"

namespace parvane {
namespace {

using Clock = std::chrono::steady_clock;
using Ending = RunResult::Ending;

struct EndingRow {
    std::vector<std::string> argv;
    Ending ending;
    int code;
};

// Exit statuses are the child's own, even when SIGCHLD was ignored by whoever started us.
TEST(RunAndWait, EveryEndingIsTold) {
    const std::vector<EndingRow> rows = {
        {{"/bin/sh", "-c", "exit 77"}, Ending::Exited, 77},
        {{"/bin/sh", "-c", "echo half; exit 3"}, Ending::Exited, 3},
        {{"/bin/sh", "-c", "kill -9 $$"}, Ending::KilledBySignal, SIGKILL},
        {{"/nonexistent/mp3splt"}, Ending::CouldNotStart, ENOENT},
        {{}, Ending::CouldNotStart, EINVAL},
    };
    for (const bool ignoreChildren : {false, true}) {
        struct sigaction saved {};
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        if (ignoreChildren) ::sigaction(SIGCHLD, &ignore, &saved);
        for (const EndingRow& row : rows) {
            const RunResult result = RunAndWait(row.argv, {});
            EXPECT_EQ(result.ending, row.ending) << row.argv.size() << ignoreChildren;
            EXPECT_EQ(result.code, row.code);
        }
        if (ignoreChildren) ::sigaction(SIGCHLD, &saved, nullptr);
    }
}

TEST(RunAndWait, ArgumentsArriveUnchanged) {
    const testing::TempFolder folder;
    const std::string tricky = "a \"b\" 'c' $HOME *; -x";
    EXPECT_TRUE(RunAndWait({"/bin/sh", "-c", "printf '%s' \"$1\" > \"$2\"", "sh", tricky,
                            folder / "args"}, {})
                    .Succeeded());
    EXPECT_EQ(testing::ReadFile(folder / "args"), tricky);
}

TEST(RunAndWait, TheChildWritesToNothingAndItsErrorsAreKept) {
    const std::string check = R"sh([ "$(readlink /proc/$$/fd/1)" = /dev/null ] && echo oops >&2)sh";
    const RunResult result = RunAndWait({"/bin/sh", "-c", check}, {});
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.errorTail, "oops\n");
}

TEST(RunAndWait, HandlesEventsWhileWaitingAndEndsWithTheChild) {
    int events = 0;
    WaitHooks hooks;
    hooks.handleEvents = [&events] { ++events; };
    EXPECT_TRUE(RunAndWait({"/bin/sleep", "0.45"}, hooks).Succeeded());
    EXPECT_GE(events, 4);
    EXPECT_LE(events, 10);

    // Twenty quick children: with a 100 ms floor per wait this would take two seconds.
    const auto start = Clock::now();
    for (int k = 0; k < 20; ++k) {
        ASSERT_TRUE(RunAndWait({"/bin/true"}, hooks).Succeeded());
    }
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
}

// Even a child that ignores the polite request to end is ended.
TEST(RunAndWait, StopEndsTheChild) {
    int events = 0;
    WaitHooks hooks;
    hooks.handleEvents = [&events] { ++events; };
    hooks.stopRequested = [&events] { return events >= 2; };
    const auto start = Clock::now();
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "trap '' TERM; while :; do sleep 0.1; done"}, hooks)
                  .ending,
              Ending::StoppedByUs);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
}

// A child reaped elsewhere (here by the event handler) has no status left to tell.
TEST(RunAndWait, WaitThatFailsIsNoSuccess) {
    WaitHooks hooks;
    hooks.handleEvents = [] { ::waitpid(-1, nullptr, WNOHANG); };
    const RunResult result = RunAndWait({"/bin/sh", "-c", "sleep 0.2"}, hooks);
    EXPECT_EQ(result.ending, Ending::WaitFailed);
    EXPECT_EQ(result.code, ECHILD);
}

// What mp3splt writes: a banner, progress lines ended by "\r", then its error.
TEST(SplitterErrors, LastErrorLineIsTheReason) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"mp3splt 2.6.2\n [ 18.42 %]  preparing \"piece.mp3\"\r error: begin point out of file   \n",
         "begin point out of file"},
        {" error: a\n warning: b\n error: cannot create directory\n", "cannot create directory"},
        {"banner only\n", ""},
    };
    for (const auto& [output, reason] : rows) {
        EXPECT_EQ(LastErrorLine(output), reason);
    }
}

}  // namespace
}  // namespace parvane
