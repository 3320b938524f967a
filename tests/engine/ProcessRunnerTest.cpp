#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "ProcessRunner.h"
#include "TestSupport.h"

namespace parvane {
namespace {

using Clock = std::chrono::steady_clock;

TEST(RunAndWait, ExitCodesAndArgumentsArriveUnchanged) {
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "exit 77"}, kStyleHidden, {}), 77);
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "kill -9 $$"}, kStyleHidden, {}), -1);

    const testing::TempFolder folder;
    const std::string tricky = "a \"b\" 'c' $HOME *; -x";
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "printf '%s' \"$1\" > \"$2\"", "sh", tricky,
                          folder / "args"},
                         kStyleHidden, {}),
              0);
    EXPECT_EQ(testing::ReadFile(folder / "args"), tricky);
}

TEST(RunAndWait, StartFailureReturnsTheErrorNumberAtOnce) {
    WaitHooks hooks;
    hooks.handleEvents = [] { ADD_FAILURE() << "waited for a program that never started"; };
    EXPECT_EQ(RunAndWait({"/nonexistent/mp3splt"}, kStyleHidden, hooks),
              static_cast<std::int32_t>(0x80040000u) + ENOENT);
    EXPECT_TRUE(IsStartFailure(RunAndWait({}, kStyleHidden, hooks)));
}

// Style 0 gives the child /dev/null for its output; every other style (and anything out
// of range, which means 6) lets it share ours.
TEST(RunAndWait, HiddenStyleSilencesTheChild) {
    const auto ours = [](int fd) {
        return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)).string();
    };
    const std::string check =
        R"sh([ "$(readlink /proc/$$/fd/1)" = "$1" ] && [ "$(readlink /proc/$$/fd/2)" = "$2" ])sh";
    for (const int style : {0, 1, 6, 7, -1}) {
        const bool hidden = style == kStyleHidden;
        EXPECT_EQ(RunAndWait({"/bin/sh", "-c", check, "sh", hidden ? "/dev/null" : ours(1),
                              hidden ? "/dev/null" : ours(2)},
                             style, {}),
                  0)
            << "style " << style;
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

// Even a child that ignores the polite request to end is ended.
TEST(RunAndWait, StopEndsTheChild) {
    int events = 0;
    WaitHooks hooks;
    hooks.handleEvents = [&events] { ++events; };
    hooks.stopRequested = [&events] { return events >= 2; };
    const auto start = Clock::now();
    EXPECT_EQ(RunAndWait({"/bin/sh", "-c", "trap '' TERM; while :; do sleep 0.1; done"},
                         kStyleHidden, hooks),
              -1);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace parvane
