// The split job with a stand-in splitter and real MP3 sources: how many runs each file
// gets, what the host is told, which files are left, and an honest report under faults.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "ClosingText.h"
#include "PieceEstimate.h"
#include "SourceSplit.h"
#include "SplitJob.h"
#include "SplitterSearch.h"
#include "TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::FakeSplitter;
using testing::TempFolder;
using testing::WriteFile;
using Args = std::vector<std::string>;
using Names = std::set<std::string>;

class RecordingHost : public SplitHost {
public:
    std::vector<std::string> entries;
    int interval = 5;
    std::string applicationFolder;
    std::function<bool()> stop = [] { return false; };
    Args events;  // "file 1/2", "written 3", "finished 1", "job"
    JobReport report;
    int eventPasses = 0;

    int EntryCount() const override { return static_cast<int>(entries.size()); }
    std::string EntryPath(int position) const override {
        return entries.at(static_cast<std::size_t>(position - 1));
    }
    int ChosenInterval() const override { return interval; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    void HandlePendingEvents() override { ++eventPasses; }
    bool StopRequested() const override { return stop(); }
    void FileStarted(int position, int count, const std::string&) override {
        events.push_back("file " + std::to_string(position) + "/" + std::to_string(count));
    }
    void PieceStarted(std::int64_t, const std::string&) override {}
    void PieceWritten(std::int64_t number, const std::string&) override {
        events.push_back("written " + std::to_string(number));
    }
    void FileFinished(const FileReport& file) override {
        events.push_back("finished " + std::to_string(file.position));
    }
    void JobFinished(const JobReport& finished) override {
        events.push_back("job");
        report = finished;
    }
    std::string Problems() const {
        const ClosingText text = MakeClosingText(report);
        return text.details;
    }
};

class RecordingRunner : public ProcessRunner {
public:
    std::vector<Args> runs;
    RunResult Run(const Args& argv, const WaitHooks& hooks) override {
        runs.push_back(argv);
        return RunAndWait(argv, hooks);
    }
};

class SplitJobTest : public ::testing::Test {
protected:
    void SetUp() override { host.applicationFolder = splitter.ApplicationFolder(); }

    std::string Source(const std::string& name, int seconds) {
        testing::PutMp3(music / name, seconds);
        return music / name;
    }
    JobReport Run() { return RunSplitJob(host, runner); }
    // A source and its pieces 1..count; a leftover private folder would be one more name.
    static Names WithPieces(const std::string& base, int count) {
        Names names{base + ".mp3"};
        for (int k = 1; k <= count; ++k) {
            names.insert(base + (k < 10 ? "-000" : "-00") + std::to_string(k) + ".mp3");
        }
        return names;
    }
    Names Left() const { return testing::FolderNames(music.path()); }

    FakeSplitter splitter;
    TempFolder music;
    RecordingHost host;
    RecordingRunner runner;
};

TEST(SplitJobParts, EstimateAndRanges) {
    EXPECT_EQ(EstimatePieceLimit(49, 2), 28);  // 24.5 + 3
    EXPECT_EQ(EstimatePieceLimit(51, 2), 28);  // 25.5 + 3
    EXPECT_EQ(EstimatePieceLimit(0, 400), std::nullopt);
    EXPECT_LE(EstimatePieceLimit(400, -1).value(), 2);  // piece 2 missing
    EXPECT_EQ(PieceRanges({3, 7, 8, 9, 12, 13}), "3, 7-9, 12-13");
}

TEST_F(SplitJobTest, EmptyListOnlySaysSo) {
    EXPECT_EQ(Run().end, JobEnd::NoFiles);
    EXPECT_EQ(host.events, Args{"job"});
    EXPECT_TRUE(runner.runs.empty());
}

// The sources are 64 kbit/s, 8,000 bytes a second; the stand-in writes pieces of `size`
// bytes. A fault in a run leaves a hole, never a claim of success.
struct FaultRow {
    const char* fault;
    int seconds;
    std::int64_t size;
    std::map<int, std::int64_t> sizes;
    std::map<int, std::string> actions;
    std::size_t runs;
    int pieces;
    const char* problem;  // "" when split completely
};

TEST_F(SplitJobTest, EveryFaultEndsWithAnHonestReport) {
    const std::vector<FaultRow> rows = {
        {"estimate bounds the runs", 125, 40'000, {}, {}, 28, 25, ""},
        {"estimate falls short", 50, 40'000, {{2, 200'000}}, {}, 10, 10, ""},
        {"estimate absurdly high", 20, 40'000, {{2, 1}}, {}, 7, 4, ""},
        {"shorter than one interval", 4, 40'000, {}, {}, 2, 1, ""},
        {"run skips a piece", 15, 40'000, {{2, 0}}, {}, 3, 2,
         "missing pieces 2 (the splitter wrote nothing)"},
        {"full disk", 15, 40'000, {{2, -1}, {3, -1}}, {}, 3, 1,
         "missing pieces 2-3 (disk full)"},
        {"crash before writing", 15, 40'000, {}, {{1, "kill -9 $$"}}, 6, 2,
         "missing pieces 1 (the splitter was killed (Killed))"},
        {"source deleted", 15, 40'000, {}, {{2, "rm \"$source\""}}, 3, 2,
         "changed during the split"},
        {"source grown", 15, 40'000, {}, {{3, "echo x >>\"$source\""}}, 6, 3,
         "changed during the split"},
    };
    for (const FaultRow& row : rows) {
        SCOPED_TRACE(row.fault);
        TempFolder folder;
        testing::PutMp3(folder / "song.mp3", row.seconds);
        host.entries = {folder / "song.mp3"};
        splitter.Configure(row.seconds, row.size, row.sizes, false, row.actions);
        runner.runs.clear();
        const JobReport report = Run();
        EXPECT_EQ(runner.runs.size(), row.runs);
        ASSERT_EQ(report.files.size(), 1u);
        EXPECT_EQ(report.files[0].piecesWritten, row.pieces);
        EXPECT_EQ(host.Problems(), row.problem[0] == '\0'
                                       ? std::string()
                                       : folder / "song.mp3" + ": " + row.problem);
        for (const std::string& name : testing::FolderNames(folder.path())) {
            EXPECT_NE(name.front(), '.') << "left behind: " << name;
        }
    }
}

// The real mp3splt on a file system that runs out of room or of inodes part way: the
// pieces it could not write are named with the splitter's reason, and nothing private stays.
TEST_F(SplitJobTest, FullFileSystems) {
    for (const char* limit : {"size=256k", "nr_inodes=5"}) {
        SCOPED_TRACE(limit);
        const TempFolder small;
        if (::geteuid() != 0 ||
            testing::RunTool({"mount", "-t", "tmpfs", "-o", limit, "tmpfs", small.path()})
                    .exitCode != 0) {
            GTEST_SKIP() << "mounting a small tmpfs needs root; full file systems not tried";
        }
        testing::PutMp3(small / "talk.mp3", 20);
        host.entries = {small / "talk.mp3"};
        host.applicationFolder = "";
        const JobReport report = Run();
        const Names left = testing::FolderNames(small.path());
        testing::RunTool({"umount", small.path()});
        ASSERT_EQ(report.files.size(), 1u);
        EXPECT_LT(report.files[0].piecesWritten, 4);
        EXPECT_NE(host.Problems().find(": missing pieces "), std::string::npos)
            << host.Problems();
        EXPECT_TRUE(std::none_of(left.begin(), left.end(),
                                 [](const std::string& name) { return name.front() == '.'; }));
    }
}

// Piece 12 runs from 0:55 to 1:00 and is written under a plain name in a private folder.
TEST_F(SplitJobTest, ArgumentsAndEvents) {
    host.entries = {Source("song.mp3", 62), Source("next.mp3", 3)};
    splitter.Configure(62, 40'000);
    EXPECT_EQ(Run().end, JobEnd::Completed);
    const Args& twelfth = runner.runs.at(11);
    EXPECT_EQ(Args(twelfth.begin(), twelfth.end() - 1),
              (Args{splitter.Path(), music / "song.mp3", "0.55", "1.00", "-o", "piece", "-d"}));
    EXPECT_EQ(fs::path(twelfth.back()).parent_path(), music.path());
    EXPECT_EQ(fs::path(twelfth.back()).filename().string().rfind(".parvane-", 0), 0u);
    EXPECT_EQ(host.events.front(), "file 1/2");
    EXPECT_EQ(host.events.at(13), "written 13");
    EXPECT_EQ(host.events.at(62 / 5 + 3), "file 2/2");
    EXPECT_EQ(Args(host.events.end() - 2, host.events.end()), (Args{"finished 2", "job"}));
    EXPECT_EQ(MakeClosingText(host.report).summary, "Done.\n2 files split completely.");
    EXPECT_GT(host.eventPasses, 0);
}

// A piece never replaces a file of the list, whichever comes first; others are replaced.
TEST_F(SplitJobTest, ListedFilesAreNeverReplaced) {
    for (const bool pieceNameFirst : {false, true}) {
        const TempFolder folder;
        testing::PutMp3(folder / "a.mp3", 12);
        testing::PutMp3(folder / "a-0001.mp3", 3);
        const std::string recording = testing::ReadFile(folder / "a-0001.mp3");
        WriteFile(folder / "a-0002.mp3", "an earlier piece");
        host.entries = {folder / "a.mp3", folder / "a-0001.mp3"};
        if (pieceNameFirst) std::swap(host.entries[0], host.entries[1]);
        splitter.Configure(12, 40'000);
        Run();
        EXPECT_EQ(testing::ReadFile(folder / "a-0001.mp3"), recording);
        EXPECT_EQ(fs::file_size(folder.path() / "a-0002.mp3"), 40'000u);
        EXPECT_NE(host.Problems().find(folder / "a.mp3" +
                                       ": piece name taken by a listed file: " +
                                       folder / "a-0001.mp3"),
                  std::string::npos)
            << host.Problems();
    }
}

TEST_F(SplitJobTest, SourcesThatCannotBeSplitGetNoRun) {
    WriteFile(music / "text.mp3", "not audio at all\n");
    host.entries = {music / "gone.mp3", music.path().string(), music / "text.mp3", ""};
    host.interval = 5;
    Run();
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(host.Problems(), music / "gone.mp3" + ": not found\n" + music.path().string() +
                                   ": not a file\n" + music / "text.mp3" +
                                   ": not an MP3 file\n: not found");
}

// A re-split with a longer length names what an earlier split left beyond its last piece.
// Private folders of jobs that no longer run go; a running job's stays.
TEST_F(SplitJobTest, OlderPiecesAreNamedAndStalePrivateFoldersRemoved) {
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string stale = ".parvane-" + std::to_string(gone) + "-AbCdEf";
    const std::string running = ".parvane-" + std::to_string(::getppid()) + "-AbCdEf";
    WriteFile(music.path() / stale / "piece.mp3");
    fs::create_directories(music.path() / running);
    host.entries = {Source("a.mp3", 30)};
    for (const char* name : {"a-0004.mp3", "a-0005.mp3", "a-0006.mp3", "a-0008.mp3"}) {
        WriteFile(music / name);
    }
    splitter.Configure(30, 40'000);
    host.interval = 10;
    Run();
    EXPECT_EQ(host.Problems(), music / "a.mp3" + ": older pieces remain: a-0004.mp3 to a-0006.mp3");
    Names expected = WithPieces("a", 6);
    expected.insert({"a-0008.mp3", running});
    EXPECT_EQ(Left(), expected);
}

// Beside the program a file that cannot run, on PATH nothing; later the splitter vanishes
// after the first file. Either way the message says what was split before.
TEST_F(SplitJobTest, MissingOrLostSplitter) {
    const TempFolder application;
    const TempFolder emptyPath;
    WriteFile(application / "mp3splt", "not executable");
    host.applicationFolder = application.path();
    host.entries = {Source("a.mp3", 7), Source("b.mp3", 7)};
    const std::string savedPath = SearchPath();
    ::setenv("PATH", emptyPath.path().c_str(), 1);
    Run();
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(host.report.end, JobEnd::SplitterMissing);
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(MakeClosingText(host.report).summary,
              "The splitter mp3splt was not found. Looked for " + (application / "mp3splt") +
                  " and for mp3splt on PATH (" + emptyPath.path().string() +
                  "). Install the Debian package mp3splt.\nNothing was split.");

    host.applicationFolder = splitter.ApplicationFolder();
    splitter.Configure(7, 40'000, {}, false, {{2, "[ \"${source##*/}\" = b.mp3 ] && rm \"$0\""}});
    Run();
    EXPECT_EQ(host.report.end, JobEnd::SplitterLost);
    EXPECT_EQ(MakeClosingText(host.report).summary,
              "The splitter " + splitter.Path() +
                  " could not be started (No such file or directory). Splitting was stopped.\n"
                  "Split completely before that: " + (music / "a.mp3") + ".");
}

// Empty and relative PATH entries both name places under the current folder, wherever
// the user happens to be; only absolute ones are searched.
TEST_F(SplitJobTest, SplitterIsLookedForOnlyInAbsolutePathFolders) {
    const std::string relative =
        std::filesystem::relative(splitter.ApplicationFolder()).string();
    ASSERT_NE(relative.front(), '/');
    const TempFolder other;
    WriteFile(other / "mp3splt", "#!/bin/sh\n", true);
    EXPECT_EQ(FindSplitter("", relative + "::" + other.path().string()), other / "mp3splt");
    EXPECT_EQ(FindSplitter("", relative), std::nullopt);
}

TEST_F(SplitJobTest, StopCutsTheRunOffAndLeavesNoPrivateFile) {
    host.entries = {Source("song.mp3", 20), Source("next.mp3", 20)};
    splitter.Configure(20, 1'000, {}, true);
    host.stop = [this] { return host.eventPasses >= 3; };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run().end, JobEnd::Stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(Left(), (Names{"song.mp3", "next.mp3"}));
}

}  // namespace
}  // namespace parvane
