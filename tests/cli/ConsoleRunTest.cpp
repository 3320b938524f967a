// parvane-split as a user runs it: its exit status, what it prints, what it leaves.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "FakeSplitter.h"
#include "TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::FakeSplitter;
using testing::FolderNames;
using testing::MakeMp3;
using testing::RunTool;
using testing::TempFolder;
using testing::ToolOptions;
using testing::ToolRun;

const std::string kProgram = PARVANE_SPLIT_PROGRAM;

TEST(ConsoleRun, HelpAndWrongCommandLines) {
    const ToolRun help = RunTool({kProgram, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: parvane-split [--every M:SS] FILE..."), std::string::npos);

    const ToolRun wrong = RunTool({kProgram, "--every", "0:07", "a.mp3"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("\"0:07\" is not one of the intervals"), std::string::npos)
        << wrong.err;
    EXPECT_NE(wrong.err.find("0:05 0:10 0:30 1:00 1:30 2:00 2:30 3:00 3:30 4:00 4:30 5:00 "
                             "10:00 15:00 20:00 25:00 30:00 35:00 40:00 45:00 50:00 55:00 "
                             "60:00"),
              std::string::npos)
        << wrong.err;

    EXPECT_EQ(RunTool({kProgram}).exitCode, 2);
}

TEST(ConsoleRun, SplitsRelativePathsAndNamesFilesWithoutPieces) {
    const TempFolder music;
    MakeMp3(music / "song.mp3", {"synth", "12", "sine", "440"}, {"-b", "64"});
    ToolOptions options;
    options.workingFolder = music.path().string();

    const ToolRun good = RunTool({kProgram, "--every", "0:05", "song.mp3"}, options);
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(FolderNames(music.path()),
              (std::set<std::string>{"song.mp3", "song-0001.mp3", "song-0002.mp3",
                                     "song-0003.mp3"}));
    EXPECT_EQ(good.out, "[1/1] " + (music / "song.mp3") + "\n  " + (music / "song-0001.mp3") +
                            "\n  " + (music / "song-0002.mp3") + "\n  " +
                            (music / "song-0003.mp3") + "\nDone.\n");

    const ToolRun partly = RunTool({kProgram, "--every=0:10", "missing.mp3", "song.mp3"}, options);
    EXPECT_EQ(partly.exitCode, 1);
    EXPECT_NE(partly.out.find("No piece was written for:\n" + (music / "missing.mp3")),
              std::string::npos)
        << partly.out;
}

TEST(ConsoleRun, MissingSplitterIsAFailure) {
    const TempFolder music;
    const TempFolder emptyPath;
    testing::WriteFile(music / "song.mp3", "not really audio");
    ToolOptions options;
    options.environment["PATH"] = emptyPath.path().string();
    const ToolRun run = RunTool({kProgram, music / "song.mp3"}, options);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("mp3splt was not found"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("Done."), std::string::npos);
}

// A stop signal ends the running splitter, and its unfinished piece goes with it.
TEST(ConsoleRun, InterruptLeavesNoUnfinishedPiece) {
    for (const int signal : {SIGINT, SIGTERM}) {
        FakeSplitter splitter;
        splitter.Configure(100, 1'000, {}, true);
        const TempFolder music;
        testing::WriteFile(music / "song.mp3", std::string(5'000, 'x'));
        const std::string path = "PATH=" + splitter.ApplicationFolder() + ":" +
                                 std::getenv("PATH");
        const std::string file = music / "song.mp3";
        char* const argv[] = {const_cast<char*>(kProgram.c_str()), const_cast<char*>(file.c_str()),
                              nullptr};
        char* const envp[] = {const_cast<char*>(path.c_str()), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, kProgram.c_str(), &actions, nullptr, argv, envp), 0);
        posix_spawn_file_actions_destroy(&actions);

        // Wait for the splitter's private file, then interrupt.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (FolderNames(music.path()).size() < 2 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(FolderNames(music.path()).size(), 2u);
        ::kill(pid, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 130);
        EXPECT_EQ(FolderNames(music.path()), std::set<std::string>{"song.mp3"});
    }
}

}  // namespace
}  // namespace parvane
