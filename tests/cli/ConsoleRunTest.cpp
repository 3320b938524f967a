// parvane-split as a user runs it: its exit status, what it prints, what it leaves. The
// real mp3splt splits audio made here with sox and lame, measured by a real decoder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>

#include "tests/support/TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::FolderNames;
using testing::TempFolder;
using testing::ToolRun;
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

struct ExitRow {
    int exitCode;
    std::string out, err;  // parts of what is printed; "@" stands for the folder run in
    std::vector<std::string> args;
};

// Exit statuses and messages. --folder scans a tree as the window's add-folder command
// does, mixed with FILEs in the order given; --list shows the result and writes nothing.
TEST(ConsoleRun, ExitStatusesAndWhatIsPrinted) {
    const TempFolder music, emptyPath;
    fs::create_directories(music.path() / "Empty");
    for (const char* name : {"text.mp3", "text-0001.mp3", "~temp.mp3", "notes.txt", "Album/02.mp3",
                             "Album/01.mp3", "Album/Disc 2/01.mp3"}) {
        testing::WriteFile(music / name, "not really audio");
    }
    const std::string folderNeeded = "parvane-split: --folder needs a folder (";
    const std::vector<ExitRow> rows = {
        {0,
         "Usage: parvane-split [--every M:SS] [--list] [--folder DIR]... [FILE]...\n",
         "",
         {"--help"}},
        {2,
         "",
         "\"0:07\" is not one of the intervals; choose one of: 0:05 0:10 0:30",
         {"--every", "0:07", "a.mp3"}},
        {2, "", "--every needs an interval, one of: 0:05 0:10", {"a.mp3", "--every"}},
        {2, "", "parvane-split: unknown option \"-x\"", {"-x", "a.mp3"}},
        {2, "", folderNeeded, {"a.mp3", "--folder"}},
        {2, "", folderNeeded, {"--folder", "--list"}},
        {2, "", folderNeeded, {"--folder", "", "a.mp3"}},
        {2, "", "--every needs an interval", {"--every", "--list", "a.mp3"}},
        {0, "", "@: left out 1 piece of the files found there", {"--list", "--folder", "."}},
        {2, "", "parvane-split: no FILE or --folder given\n", {"--every", "0:10", "--list"}},
        {2, "", "--folder @/nowhere: not a readable folder\n", {"--folder", "nowhere"}},
        {1, "No files added.", "", {"--folder", "Empty/"}},
        {0, "", "--folder @/Empty: no MP3 files in it\n", {"--list", "--folder", "Empty/"}},
        {0,
         "@/single.mp3\n@/text.mp3\n@/Album/01.mp3\n@/Album/02.mp3\n@/Album/Disc 2/01.mp3\n"
         "@/Album/01.mp3\n@/Album/02.mp3\n@/Album/Disc 2/01.mp3\n",
         "",
         {"--list", "single.mp3", "--folder", ".", "--folder=Album"}},
        {0,
         "@/new\\nline\\\\.mp3\n@/\\033[2J.mp3\n",
         "",
         {"--list", "new\nline\\.mp3", "\033[2J.mp3"}},
        {1,
         "Done.\n0 files split completely, 3 not split.\n@/missing.mp3: not found\n"
         "\"\": empty file name\n@/text.mp3: not an MP3 file (text)\n",
         "",
         {"missing.mp3", "", "text.mp3"}},
    };
    const auto at = [&](const std::string& text) {
        return std::regex_replace(text, std::regex("@"), music.path().string());
    };
    for (const ExitRow& row : rows) {
        const ToolRun run = Split(music, row.args);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.out << row.err;
        EXPECT_NE(run.out.find(at(row.out)), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(at(row.err)), std::string::npos) << run.err;
    }
    const ToolRun noSplitter = Split(music, {"text.mp3"}, emptyPath.path());
    EXPECT_EQ(noSplitter.exitCode, 1);
    EXPECT_NE(noSplitter.err.find("The splitter mp3splt was not found."), std::string::npos);
    EXPECT_EQ(FolderNames(music.path()).size(), 6u);
}

// Odd names land at their exact paths, each file's pieces listed under it.
TEST(ConsoleRun, OddNames) {
    const TempFolder music;
    const fs::path folder = music.path() / "it's \"odd\" @n +1 $HOME";
    const std::string song = folder / "a b 'c'.mp3", odd = folder / "-Grüße 日本.MP3";
    for (const std::string& name : {song, odd}) testing::PutMp3(name, 12);
    const ToolRun run = Split(music, {"--every", "0:05", odd, song});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("[1/2] " + odd + "\n  " + (folder / "-Grüße 日本-0001.MP3").string() +
                                "\n  " + (folder / "-Grüße 日本-0002.MP3").string() + "\n",
                            0),
              0u)
        << run.out;
    EXPECT_EQ(FolderNames(folder).size(), 8u);
}

// The splitter beside the program is the one run. A stop signal ends it, and its unfinished
// piece goes with it; a hang-up (the terminal closed) is one too, unless ignored (nohup).
TEST(ConsoleRun, SignalsLeaveNoUnfinishedPiece) {
    testing::FakeSplitter splitter;
    splitter.Configure({}, true);
    const TempFolder music;
    testing::PutMp3(music / "song.mp3", 20);
    fs::copy_file(PARVANE_SPLIT_PROGRAM, splitter.ApplicationFolder() + "/parvane-split");
    // A background job of a script starts with SIGINT ignored; "ignored" keeps that and
    // adds nohup's SIGHUP, and the program leaves both ignored.
    const char* script = R"sh(app=$1 stop=$2 launch="env --default-signal=INT"
        [ "$3" = ignored ] && { trap '' HUP; launch=env; }
        $launch "$app/parvane-split" song.mp3 >/dev/null & n=0
        until [ "$(ls -A | wc -l)" = 2 ] || [ $n = 1000 ]; do sleep 0.01; n=$((n+1)); done
        ls -A | wc -l; kill -$stop $!; n=0
        [ "$3" = ignored ] && sleep 0.3 ||
            while kill -0 $! 2>/dev/null && [ $n != 1000 ]; do sleep 0.01; n=$((n+1)); done
        kill -0 $! 2>/dev/null && echo running
        kill -TERM $! 2>/dev/null; wait $!)sh";
    for (const auto& [signal, inherited, out] : {std::tuple{"INT", "", "2\n"},
                                                 {"TERM", "", "2\n"},
                                                 {"HUP", "", "2\n"},
                                                 {"HUP", "ignored", "2\nrunning\n"},
                                                 {"INT", "ignored", "2\nrunning\n"}}) {
        const ToolRun run = testing::RunTool({"env", "-C", music.path(), "sh", "-c", script, "sh",
                                              splitter.ApplicationFolder(), signal, inherited});
        EXPECT_EQ(run.out, out) << signal << inherited;
        EXPECT_EQ(run.exitCode, 130) << signal << inherited;
        EXPECT_EQ(FolderNames(music.path()), Names{"song.mp3"});
    }
}

// A closed output (`| head`) stops the job as Ctrl+C does, at once even while a splitter
// run would hang for half a minute: the run is ended, its piece discarded, and nothing
// private stays. A list says so too, rather than die by SIGPIPE. A full one stops it with a
// write error.
TEST(ConsoleRun, AClosedOutputStopsTheJob) {
    testing::FakeSplitter splitter;
    splitter.Configure({}, false, {{2, "printf %s $$ >\"$0.pid\"; exec sleep 30"}});
    const TempFolder music;
    testing::PutMp3(music / "song.mp3", 20);
    fs::copy_file(PARVANE_SPLIT_PROGRAM, splitter.ApplicationFolder() + "/parvane-split");
    const auto start = std::chrono::steady_clock::now();
    const ToolRun run = testing::RunTool(
        {"env", "-C", music.path(), "sh", "-c",
         R"({ "$0/parvane-split" --every 0:05 song.mp3; echo $? >&2; } | head -n 2 >/dev/null)",
         splitter.ApplicationFolder()});
    EXPECT_EQ(run.err,
              "parvane-split: the output was closed. Stopped; the piece being written "
              "was discarded.\n130\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(FolderNames(music.path()), (Names{"song.mp3", "song-0001.mp3"}));
    const std::string pid = testing::ReadFile(splitter.Path() + ".pid");
    EXPECT_NE(testing::RunTool({"kill", "-0", pid}).exitCode, 0);
    const ToolRun list = testing::RunTool(  // more than a pipe holds, so a write must fail
        {"sh", "-c", R"({ "$0" --list $(seq 20000); echo $? >&2; } | head -n 1 >/dev/null)",
         PARVANE_SPLIT_PROGRAM});
    EXPECT_EQ(list.err, "parvane-split: the output was closed.\n130\n");
    const ToolRun full = testing::RunTool({"sh", "-c", R"("$0" "$1" >/dev/full; echo $? >&2)",
                                           PARVANE_SPLIT_PROGRAM, music / "song.mp3"});
    EXPECT_EQ(full.err,
              "parvane-split: cannot write the output (No space left on device). Stopped; "
              "the piece being written was discarded.\n1\n");
}

// A current folder that was deleted has no path: a relative name is refused, never taken
// from "/"; full paths still work.
TEST(ConsoleRun, ADeletedCurrentFolder) {
    const TempFolder music;
    const char* script = R"(mkdir gone && cd gone && rmdir ../gone && "$0" --list ../m/s.mp3
                            echo $?; "$0" --list /m/s.mp3)";
    const ToolRun run =
        testing::RunTool({"env", "-C", music.path(), "sh", "-c", script, PARVANE_SPLIT_PROGRAM});
    EXPECT_EQ(run.out, "2\n/m/s.mp3\n");
    EXPECT_NE(run.err.find(": the current folder cannot be read (No such file or directory), so "
                           "\"../m/s.mp3\" cannot be found"),
              std::string::npos)
        << run.err;
}

// A job in another PID namespace, whose process id means nothing here, keeps its private
// folder while a second job starts in the same folder, and loses no piece.
TEST(ConsoleRun, AJobInAnotherPidNamespaceIsLeftAlone) {
    if (const ToolRun unshare =
            testing::RunTool({"unshare", "--pid", "--fork", "--mount-proc", "true"});
        unshare.exitCode != 0)
        GTEST_SKIP() << "no second PID namespace here: " << unshare.err;
    testing::FakeSplitter splitter;
    splitter.Configure({}, false,
                       {{2,
                         "[ \"${source##*/}\" = other.mp3 ] || "
                         "until [ -e \"$0.go\" ]; do sleep 0.01; done"}});
    const TempFolder music;
    for (const char* name : {"song.mp3", "other.mp3"}) testing::PutMp3(music / name, 20);
    fs::copy_file(PARVANE_SPLIT_PROGRAM, splitter.ApplicationFolder() + "/parvane-split");
    // Its process id is one no process here has.
    const char* script = R"sh(app=$1 n=0
        unshare --pid --fork --mount-proc sh -c 'echo 999998 >/proc/sys/kernel/ns_last_pid
            "$0" --every 0:05 song.mp3 >/dev/null; exit $?' "$app/parvane-split" &
        until [ -e song-0001.mp3 ] || [ $n = 1000 ]; do sleep 0.01; n=$((n+1)); done
        "$app/parvane-split" --every 0:05 other.mp3 >/dev/null; echo second $?
        touch "$app/mp3splt.go"; wait $!; echo first $?)sh";
    const ToolRun run = testing::RunTool(
        {"env", "-C", music.path(), "sh", "-c", script, "sh", splitter.ApplicationFolder()});
    EXPECT_EQ(run.out, "second 0\nfirst 0\n") << run.err;
    EXPECT_EQ(FolderNames(music.path()).size(), 10u);
}

}  // namespace
}  // namespace parvane
