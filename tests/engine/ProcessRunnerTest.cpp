#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "ChildWait.h"
#include "PieceWriter.h"
#include "ProcessRunner.h"

namespace parvane {
namespace {

using Ending = RunResult::Ending;

struct EndingRow {
    std::vector<std::string> argv;
    WaitHooks hooks;
    Ending ending;
    int code;
};

// Exit statuses are the child's own, even when SIGCHLD was ignored by whoever started us.
// A stop ends even a child that ignores the polite request; a child reaped elsewhere (here
// while the stop is looked for) has no status left to tell, which is no success.
TEST(RunAndWait, EveryEndingIsTold) {
    const std::vector<EndingRow> rows = {
        {{"/bin/sh", "-c", "echo half; exit 3"}, {}, Ending::Exited, 3},
        {{"/bin/sh", "-c", "kill -9 $$"}, {}, Ending::KilledBySignal, SIGKILL},
        {{"/nonexistent/mp3splt"}, {}, Ending::CouldNotStart, ENOENT},
        {{}, {}, Ending::CouldNotStart, EINVAL},
        {{"/bin/sh", "-c", "exec sleep 30"},
         WaitHooks{[] { return true; }}, Ending::StoppedByUs, 0},
        {{"/bin/sh", "-c", "sleep 0.1"}, WaitHooks{[] { return ::waitpid(-1, nullptr, 0) < 0; }},
         Ending::WaitFailed, ECHILD},
    };
    // Ended children kept, ignored, or not kept for a wait (SA_NOCLDWAIT).
    for (const auto& [handler, flags] :
         {std::pair{SIG_DFL, 0}, std::pair{SIG_IGN, 0}, std::pair{SIG_DFL, SA_NOCLDWAIT}}) {
        struct sigaction inherited {};
        inherited.sa_handler = handler;
        inherited.sa_flags = flags;
        ::sigaction(SIGCHLD, &inherited, nullptr);
        for (const EndingRow& row : rows) {
            const RunResult result = RunAndWait(row.argv, row.hooks);
            EXPECT_EQ(result.ending, row.ending) << row.code << " " << flags;
            EXPECT_EQ(result.code, row.code) << row.code << " " << flags;
        }
    }
    ::signal(SIGCHLD, SIG_DFL);
    const RunResult stubborn =
        RunAndWait({"/bin/sh", "-c", "trap '' TERM; while :; do sleep 0.1; done"},
                   WaitHooks{[] { return true; }});
    EXPECT_EQ(stubborn.ending, Ending::StoppedByUs);
}

// Arguments arrive unchanged; the child writes to nothing and its errors are kept.
TEST(RunAndWait, ArgumentsAndOutput) {
    const std::string tricky = "a \"b\" 'c' $HOME *; -x";
    const char* check =
        R"sh([ "$(readlink /proc/$$/fd/1)" = /dev/null ] && printf %s "$1" >&2)sh";
    const RunResult result = RunAndWait({"/bin/sh", "-c", check, "sh", tricky}, {});
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.errorTail, tricky);
}

pid_t StartShell(const char* script) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl("/bin/sh", "sh", "-c", script, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// The fallback wait asks after the child between naps. A stop leaves the child running
// for the caller to end; a wait for no child of ours fails.
TEST(ChildWaitByPolling, EndStopAndFailure) {
    int asked = 0;
    const WaitHooks hooks{[&asked] { return ++asked >= 3; }};
    const pid_t endless = StartShell("exec sleep 30");
    EXPECT_EQ(WaitForChildByPolling(endless, hooks).kind, ChildWaitResult::Kind::Stopped);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(::waitpid(endless, nullptr, WNOHANG), 0);
    ::kill(endless, SIGKILL);
    ::waitpid(endless, nullptr, 0);
    const ChildWaitResult ended = WaitForChildByPolling(StartShell("exit 7"), {});
    EXPECT_EQ(ended.kind, ChildWaitResult::Kind::Ended);
    EXPECT_EQ(WEXITSTATUS(ended.value), 7);
    EXPECT_EQ(WaitForChildByPolling(::getpid(), {}).value, ECHILD);
}

// What mp3splt writes: a banner, progress lines ended by "\r", then its error. Without an
// error line a failed run's last words are its reason.
TEST(SplitterErrors, TheLastErrorLineOrTheLastWordsOfAFailureAreTheReason) {
    const std::vector<std::tuple<std::string, bool, std::string>> rows = {
        {"mp3splt 2.6.2\n [ 18.42 %]  preparing \"piece.mp3\"\r error: begin point out of file   \n",
         false, "begin point out of file"},
        {" error: a\n warning: b\n error: cannot create directory\n [ 9 %]\r", true,
         "cannot create directory"},
        {"banner only\n", false, ""},
        {"banner\n [ 10 %] preparing\r  Cannot open: Permission denied \r\n\n", true,
         "Cannot open: Permission denied"},
        {" \n", true, ""},
    };
    for (const auto& [output, failed, reason] : rows) {
        EXPECT_EQ(SplitterReason(output, failed), reason);
    }
}

}  // namespace
}  // namespace parvane
