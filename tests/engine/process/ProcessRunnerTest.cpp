#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "engine/job/PieceWriter.h"
#include "engine/process/ProcessRunner.h"
#include "engine/process/SignalPolicy.h"
#include "engine/process/StopNotice.h"
#include "tests/support/RequestStopWhen.h"
#include "tests/support/TestSupport.h"

namespace parvane {
namespace {

using Ending = RunResult::Ending;

WaitHooks Watching(const StopNotice& stop) {
    WaitHooks hooks;
    hooks.stop = &stop;
    return hooks;
}

struct EndingRow {
    std::vector<std::string> argv;
    WaitHooks hooks;
    Ending ending;
    int code;
};

// Exit statuses are the child's own, even when SIGCHLD was ignored by whoever started us.
// A child reaped elsewhere (here
// by the kernel, SIGCHLD ignored after all) has no status left to tell, which is no success.
TEST(RunAndWait, EveryEndingIsTold) {
    StopNotice stop;
    stop.Request();
    const std::vector<EndingRow> rows = {
        {{"/bin/sh", "-c", "echo half; exit 3"}, {}, Ending::Exited, 3},
        {{"/bin/sh", "-c", "kill -9 $$"}, {}, Ending::KilledBySignal, SIGKILL},
        {{"/nonexistent/mp3splt"}, {}, Ending::CouldNotStart, ENOENT},
        {{}, {}, Ending::CouldNotStart, EINVAL},
        {{"/bin/sh", "-c", "exec sleep 30"}, Watching(stop), Ending::StoppedByUs, 0},
    };
    // Ended children kept, ignored, or not kept for a wait (SA_NOCLDWAIT).
    for (const auto& [handler, flags] :
         {std::pair{SIG_DFL, 0}, std::pair{SIG_IGN, 0}, std::pair{SIG_DFL, SA_NOCLDWAIT}}) {
        struct sigaction inherited {};
        inherited.sa_handler = handler;
        inherited.sa_flags = flags;
        ::sigaction(SIGCHLD, &inherited, nullptr);
        KeepChildrenWaitable();
        for (const EndingRow& row : rows) {
            const RunResult result = RunAndWait(row.argv, row.hooks);
            EXPECT_EQ(result.ending, row.ending) << row.code << " " << flags;
            EXPECT_EQ(result.code, row.code) << row.code << " " << flags;
        }
    }
    ::signal(SIGCHLD, SIG_IGN);
    const RunResult reaped = RunAndWait({"/bin/sh", "-c", "exit 0"}, {});
    EXPECT_EQ(reaped.ending, Ending::WaitFailed);
    EXPECT_EQ(reaped.code, ECHILD);
    ::signal(SIGCHLD, SIG_DFL);
}

// A stop ends the splitter and whatever it started, even what ignores the polite request.
TEST(RunAndWait, AStopEndsEverythingTheSplitterStarted) {
    const testing::TempFolder folder;
    for (const char* grandchild : {"sleep 300", "trap '' TERM; while :; do sleep 0.1; done"}) {
        SCOPED_TRACE(grandchild);
        const std::string pidFile = folder / "pid";
        std::filesystem::remove(pidFile);
        const std::string script =
            std::string("sh -c \"") + grandchild + "\" & echo $! >" + pidFile + "; wait";
        StopNotice stop;
        const testing::RequestStopWhen pidWritten(stop, [&] {
            std::error_code error;
            const auto size = std::filesystem::file_size(pidFile, error);
            return !error && size > 1;
        });
        const RunResult result = RunAndWait({"/bin/sh", "-c", script}, Watching(stop));
        EXPECT_EQ(result.ending, Ending::StoppedByUs);
        const pid_t started = std::stoi(testing::ReadFile(pidFile));
        // Ended, though perhaps not yet reaped by whoever inherited it.
        const auto gone = [stat = "/proc/" + std::to_string(started) + "/stat", started] {
            return ::kill(started, 0) != 0 ||
                   testing::ReadFile(stat).find(") Z") != std::string::npos;
        };
        for (int look = 0; look < 100 && !gone(); ++look) ::usleep(20000);
        EXPECT_TRUE(gone());
    }
}

// What the splitter writes to its standard error is kept without a file in the temporary
// folder, even for a moment's look; where the file system makes no nameless files (as root,
// a message queue file system stands for one), no named file stays.
TEST(RunAndWait, ErrorsAreKeptWithoutATemporaryFile) {
    const char* saved = std::getenv("TMPDIR");
    const std::string savedText = saved != nullptr ? saved : "";
    for (const bool nameless : {true, false}) {
        const testing::TempFolder temporary;
        if (!nameless &&
            testing::RunTool({"mount", "-t", "mqueue", "none", temporary.path()}).exitCode != 0)
            continue;  // only root mounts one
        // The system's queues show in every such mount; only this run's may not stay.
        const std::set<std::string> before = testing::FolderNames(temporary.path());
        ::setenv("TMPDIR", temporary.path().c_str(), 1);
        const RunResult result =
            RunAndWait({"/bin/sh", "-c", "echo reason >&2; ls -A \"$TMPDIR\" >&2"}, {});
        saved != nullptr ? ::setenv("TMPDIR", savedText.c_str(), 1) : ::unsetenv("TMPDIR");
        const std::set<std::string> after = testing::FolderNames(temporary.path());
        for (const std::string& name : after)
            if (before.count(name) == 0) std::filesystem::remove(temporary.path() / name);
        if (!nameless) testing::RunTool({"umount", temporary.path()});
        EXPECT_EQ(after, before);
        // A message queue takes no writes: only the nameless file holds the reason.
        EXPECT_EQ(result.errorTail == "reason\n", nameless);
    }
}

// Arguments arrive unchanged; the child writes to nothing and its errors are kept.
TEST(RunAndWait, ArgumentsAndOutput) {
    const std::string tricky = "a \"b\" 'c' $HOME *; -x";
    const char* check = R"sh([ "$(readlink /proc/$$/fd/1)" = /dev/null ] && printf %s "$1" >&2)sh";
    const RunResult result = RunAndWait({"/bin/sh", "-c", check, "sh", tricky}, {});
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.errorTail, tricky);
}

// What mp3splt writes: a banner, progress lines ended by "\r", then its error. Without an
// error line a failed run's last words are its reason.
TEST(SplitterErrors, TheLastErrorLineOrTheLastWordsOfAFailureAreTheReason) {
    const std::vector<std::tuple<std::string, bool, std::string>> rows = {
        {"mp3splt 2.6.2\n [ 18.42 %]  preparing \"piece.mp3\"\r error: begin point out of file   "
         "\n",
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
