#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "ProcessRunner.h"
#include "TestSupport.h"

namespace parvane {
namespace {

using Clock = std::chrono::steady_clock;
using testing::TempFolder;

std::string ReadLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

TEST(RunAndWait, ReturnsExitCodesUnchanged) {
    const WaitHooks none;
    EXPECT_EQ(RunAndWait({"/bin/true"}, kStyleHidden, none), 0);
    EXPECT_EQ(RunAndWait({"/bin/false"}, kStyleHidden, none), 1);
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "exit 77"}, kStyleHidden, none), 77);
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "kill -9 $$"}, kStyleHidden, none), -1);
}

TEST(RunAndWait, ArgumentsArriveAsTheyAre) {
    const TempFolder folder;
    const std::string out = folder / "args";
    const std::string tricky = "a \"b\" 'c' $HOME *; -x";
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "printf '%s' \"$1\" > \"$2\"", "sh", tricky, out},
                         kStyleHidden, {}),
              0);
    EXPECT_EQ(ReadLine(out), tricky);
}

TEST(RunAndWait, StartFailureReturnsAtOnceWithTheErrorNumber) {
    EXPECT_EQ(RunAndWait({"/nonexistent/mp3splt"}, kStyleHidden, {}), kStartFailureBase + ENOENT);
    EXPECT_EQ(kStartFailureBase + 53, -2147221451);
    EXPECT_TRUE(IsStartFailure(kStartFailureBase + ENOENT));
    EXPECT_FALSE(IsStartFailure(0));
    EXPECT_FALSE(IsStartFailure(-1));
    EXPECT_TRUE(IsStartFailure(RunAndWait({}, kStyleHidden, {})));

    const TempFolder folder;
    testing::WriteFile(folder / "not-a-program", "plain text", false);
    EXPECT_EQ(RunAndWait({folder / "not-a-program"}, kStyleHidden, {}),
              kStartFailureBase + EACCES);
}

// Catches what reaches this process's own standard output and error while it lives.
class OutputCatcher {
public:
    explicit OutputCatcher(const std::string& path) {
        std::fflush(stdout);
        std::fflush(stderr);
        savedOut_ = ::dup(1);
        savedErr_ = ::dup(2);
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(file, 1);
        ::dup2(file, 2);
        ::close(file);
    }
    ~OutputCatcher() {
        ::dup2(savedOut_, 1);
        ::dup2(savedErr_, 2);
        ::close(savedOut_);
        ::close(savedErr_);
    }
    OutputCatcher(const OutputCatcher&) = delete;
    OutputCatcher& operator=(const OutputCatcher&) = delete;

private:
    int savedOut_ = -1;
    int savedErr_ = -1;
};

// Style 0 sends the child's output nowhere; every other style (and anything out of
// range, which means 6) lets it share ours.
TEST(RunAndWait, HiddenStyleSilencesTheChild) {
    const TempFolder folder;
    const std::string caught = folder / "caught";
    const std::vector<std::string> noisy = {"/bin/sh", "-c", "echo out; echo err >&2"};
    for (const int style : {0, 1, 6, 7, -1}) {
        {
            const OutputCatcher catcher(caught);
            ASSERT_EQ(RunAndWait(noisy, style, {}), 0);
        }
        EXPECT_EQ(ReadLine(caught), style == 0 ? "" : "out") << "style " << style;
    }
}

TEST(RunAndWait, HandlesEventsWhileWaitingAndEndsWithTheChild) {
    int events = 0;
    WaitHooks hooks;
    hooks.handleEvents = [&events] { ++events; };
    EXPECT_EQ(RunAndWait({"/bin/sleep", "0.45"}, kStyleHidden, hooks), 0);
    EXPECT_GE(events, 4);
    EXPECT_LE(events, 10);

    // Twenty quick children: with a 100 ms floor per wait this would take two seconds.
    const auto start = Clock::now();
    for (int k = 0; k < 20; ++k) {
        ASSERT_EQ(RunAndWait({"/bin/true"}, kStyleHidden, hooks), 0);
    }
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
}

TEST(RunAndWait, StopEndsTheChild) {
    int events = 0;
    WaitHooks hooks;
    hooks.handleEvents = [&events] { ++events; };
    hooks.stopRequested = [&events] { return events >= 2; };
    const auto start = Clock::now();
    EXPECT_EQ(RunAndWait({"/bin/sleep", "30"}, kStyleHidden, hooks), -1);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

TEST(RunAndWait, StopReachesAChildThatIgnoresTheFirstRequest) {
    WaitHooks hooks;
    hooks.stopRequested = [] { return true; };
    const auto start = Clock::now();
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "trap '' TERM; while :; do sleep 0.1; done"},
                         kStyleHidden, hooks),
              -1);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace parvane
