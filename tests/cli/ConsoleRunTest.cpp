// parvane-split as a user runs it: its exit status, what it prints, what it leaves. The
// real mp3splt splits audio made here with sox and lame, measured by a real decoder.
#include <gtest/gtest.h>

#include <filesystem>

#include "FileProbes.h"
#include "PieceEstimate.h"
#include "SplitterSearch.h"
#include "TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::DecodedSeconds;
using testing::FolderNames;
using testing::MakeMp3;
using testing::TempFolder;
using testing::ToolRun;
using testing::WriteFile;
using Names = std::set<std::string>;

// Runs parvane-split in folder; path, when given, replaces PATH.
ToolRun Split(const TempFolder& folder, const std::vector<std::string>& args,
              const std::string& path = "") {
    std::vector<std::string> argv = {"env", "-C", folder.path()};
    if (!path.empty()) argv.push_back("PATH=" + path);
    argv.push_back(PARVANE_SPLIT_PROGRAM);
    argv.insert(argv.end(), args.begin(), args.end());
    return testing::RunTool(argv);
}

TEST(ConsoleRun, HelpAndWrongCommandLines) {
    const TempFolder here;
    const ToolRun help = Split(here, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: parvane-split [--every M:SS] [--list] [--folder DIR]... "
                             "[FILE]...\n", 0), 0u) << help.out;

    const ToolRun wrong = Split(here, {"--every", "0:07", "a.mp3"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("\"0:07\" is not one of the intervals; choose one of: 0:05 0:10 "
                             "0:30 1:00 1:30 2:00 2:30 3:00 3:30 4:00 4:30 5:00 10:00 15:00 "
                             "20:00 25:00 30:00 35:00 40:00 45:00 50:00 55:00 60:00\n"),
              std::string::npos)
        << wrong.err;
    EXPECT_EQ(Split(here, {}).exitCode, 2);
}

TEST(ConsoleRun, ConstantBitRateFileGivesExactPieces) {
    const TempFolder music;
    MakeMp3(music / "song.mp3", {"synth", "25", "sine", "440"}, {"-b", "128"});
    const ToolRun run = Split(music, {"--every", "0:10", "song.mp3"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "[1/1] " + (music / "song.mp3") + "\n  " + (music / "song-0001.mp3") +
                           "\n  " + (music / "song-0002.mp3") + "\n  " +
                           (music / "song-0003.mp3") + "\nDone.\n1 file split completely.\n");
    EXPECT_EQ(FolderNames(music.path()),
              (Names{"song.mp3", "song-0001.mp3", "song-0002.mp3", "song-0003.mp3"}));
    EXPECT_NEAR(DecodedSeconds(music / "song-0001.mp3"), 10.0, 0.1);
    EXPECT_NEAR(DecodedSeconds(music / "song-0002.mp3"), 10.0, 0.1);
    EXPECT_NEAR(DecodedSeconds(music / "song-0003.mp3"), 5.0, 0.1);

    const ToolRun partly = Split(music, {"missing.mp3", "song.mp3"});
    EXPECT_EQ(partly.exitCode, 1);
    EXPECT_NE(partly.out.find("Done.\n1 file split completely, 1 with problems.\n" +
                              (music / "missing.mp3") + ": not found\n"),
              std::string::npos)
        << partly.out;
}

// Loud noise first, then silence: piece 2 is far larger than the average piece, so the
// estimate falls short, and the pieces must still hold all of the sound.
TEST(ConsoleRun, VariableBitRateFileLosesNoAudio) {
    const TempFolder music;
    MakeMp3(music / "talk.mp3", {"synth", "10", "whitenoise", "pad", "0", "30"}, {"-V", "2"});
    EXPECT_EQ(Split(music, {"--every", "0:05", "talk.mp3"}).exitCode, 0);
    EXPECT_LT(EstimatePieceLimit(RegularFileSize(music / "talk.mp3"), RegularFileSize(music / "talk-0002.mp3"))
                  .value_or(99),
              8);
    double total = 0.0;
    for (const std::string& name : FolderNames(music.path())) {
        if (name != "talk.mp3") total += DecodedSeconds(music / name);
    }
    EXPECT_GE(total, DecodedSeconds(music / "talk.mp3") - 0.1);
}

TEST(ConsoleRun, PiecesOfOddNamesLandAtTheirExactPaths) {
    const TempFolder music;
    const fs::path folder = music.path() / "it's \"odd\" @n +1 $HOME";
    const std::string original = (folder / "original.mp3").string();
    fs::create_directories(folder);
    MakeMp3(original, {"synth", "12", "sine", "330"}, {"-b", "64"});
    std::vector<std::string> args = {"--every", "0:10"};
    Names expected;
    for (const std::string base :
         {"a b \"c\" 'd'", "@t @n +plus+ $x", "-leading", "Grüße çà 日本"}) {
        const std::string extension = base == "-leading" ? ".MP3" : ".mp3";
        args.push_back((folder / (base + extension)).string());
        fs::copy_file(original, args.back());
        expected.insert({base + extension, base + "-0001" + extension, base + "-0002" + extension});
    }
    fs::remove(original);
    EXPECT_EQ(Split(music, args).exitCode, 0);
    EXPECT_EQ(FolderNames(folder), expected);
    EXPECT_NEAR(DecodedSeconds((folder / "-leading-0002.MP3").string()), 2.0, 0.1);
}

// The real mp3splt with a listed file in the way of a piece: a gap, reported, and the
// listed recording kept.
TEST(ConsoleRun, PieceNameOfAListedFileLeavesAGap) {
    const TempFolder music;
    MakeMp3(music / "a.mp3", {"synth", "12", "sine", "440"}, {"-b", "64"});
    MakeMp3(music / "a-0002.mp3", {"synth", "3", "sine", "220"}, {"-b", "64"});
    const std::string recording = testing::ReadFile(music / "a-0002.mp3");
    const ToolRun run = Split(music, {"--every", "0:05", "a.mp3", "a-0002.mp3"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find((music / "a.mp3") + ": piece name taken by a listed file: " +
                           (music / "a-0002.mp3") + "\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(testing::ReadFile(music / "a-0002.mp3"), recording);
    EXPECT_NEAR(DecodedSeconds(music / "a-0003.mp3"), 2.0, 0.1);
}

TEST(ConsoleRun, MissingSplitterIsAFailure) {
    const TempFolder music;
    const TempFolder emptyPath;
    WriteFile(music / "song.mp3", "not really audio");
    const ToolRun run = Split(music, {"song.mp3"}, emptyPath.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("mp3splt was not found"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("Done."), std::string::npos);
    EXPECT_EQ(FolderNames(music.path()), Names{"song.mp3"});
}

// --folder scans a tree as the window's add-folder command does, mixed with FILEs in the
// order given; --list shows the result and writes nothing.
TEST(ConsoleRun, FolderScanAndList) {
    const TempFolder music;
    fs::create_directories(music.path() / "Empty");
    for (const char* name : {"b.mp3", "A.MP3", "~temp.mp3", "notes.txt", "Album/02.mp3",
                             "Album/01.mp3", "Album/Disc 2/01.mp3"}) {
        WriteFile(music / name);
    }
    const ToolRun list = Split(music, {"--list", "single.mp3", "--folder", ".", "--folder=Album"});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    std::string expected;
    for (const char* name : {"single.mp3", "A.MP3", "b.mp3", "Album/01.mp3", "Album/02.mp3",
                             "Album/Disc 2/01.mp3", "Album/01.mp3", "Album/02.mp3",
                             "Album/Disc 2/01.mp3"}) {
        expected += (music / name) + "\n";
    }
    EXPECT_EQ(list.out, expected);
    EXPECT_EQ(FolderNames(music.path()).size(), 6u);

    const ToolRun missing = Split(music, {"--folder", "nowhere"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find((music / "nowhere") + ": not a readable folder"), std::string::npos)
        << missing.err;
    const ToolRun none = Split(music, {"--folder", "Empty/"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.out.find("No files added."), std::string::npos) << none.out;
}

// A stop signal ends the running splitter, and its unfinished piece goes with it. A hang-up
// (the terminal closed) is one too.
TEST(ConsoleRun, InterruptLeavesNoUnfinishedPiece) {
    for (const char* signal : {"INT", "TERM", "HUP"}) {
        testing::FakeSplitter splitter;
        splitter.Configure(100, 1'000, {}, true);
        const TempFolder music;
        testing::PutMp3(music / "song.mp3", 20);
        // Sends the signal once the splitter's private file is there.
        const char* script = R"sh(PATH=$1:$PATH "$0" song.mp3 >/dev/null & n=0
            until [ "$(ls -A | wc -l)" = 2 ] || [ $n = 1000 ]; do sleep 0.01; n=$((n+1)); done
            ls -A | wc -l; kill -$2 $!; wait $!)sh";
        const ToolRun interrupted = testing::RunTool(
            {"env", "-C", music.path(), "sh", "-c", script, PARVANE_SPLIT_PROGRAM,
             splitter.ApplicationFolder(), signal});
        EXPECT_EQ(interrupted.out, "2\n");
        EXPECT_EQ(interrupted.exitCode, 130) << signal;
        EXPECT_EQ(FolderNames(music.path()), Names{"song.mp3"});
    }
}

// Under nohup a hang-up is ignored, and the job goes on.
TEST(ConsoleRun, IgnoredHangUpDoesNotStop) {
    testing::FakeSplitter splitter;
    splitter.Configure(100, 1'000, {}, true);
    const TempFolder music;
    testing::PutMp3(music / "song.mp3", 20);
    const char* script = R"sh(trap '' HUP; PATH=$1:$PATH "$0" song.mp3 >/dev/null & n=0
        until [ "$(ls -A | wc -l)" = 2 ] || [ $n = 1000 ]; do sleep 0.01; n=$((n+1)); done
        kill -HUP $!; sleep 0.3; kill -0 $! && echo running; kill -TERM $!; wait $!)sh";
    const ToolRun run = testing::RunTool({"env", "-C", music.path(), "sh", "-c", script,
                                          PARVANE_SPLIT_PROGRAM, splitter.ApplicationFolder()});
    EXPECT_EQ(run.out, "running\n");
    EXPECT_EQ(run.exitCode, 130);
    EXPECT_EQ(FolderNames(music.path()), Names{"song.mp3"});
}

}  // namespace
}  // namespace parvane
