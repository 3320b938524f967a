// The split job with a stand-in splitter and real MP3 sources: how many runs each file
// gets, what the host is told, which files are left, and an honest report under faults.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
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

    int EntryCount() const override { return static_cast<int>(entries.size()); }
    std::string EntryPath(int k) const override { return entries.at(std::size_t(k - 1)); }
    int ChosenInterval() const override { return interval; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    bool StopRequested() const override { return stop(); }
    void FileStarted(int k, int count, const std::string&) override {
        events.push_back("file " + std::to_string(k) + "/" + std::to_string(count));
    }
    void PieceStarted(std::int64_t, const std::string&) override {}
    void PieceWritten(std::int64_t k, const std::string&) override {
        events.push_back("written " + std::to_string(k));
    }
    void FileFinished(const FileReport& file) override {
        events.push_back("finished " + std::to_string(file.position));
    }
    void JobFinished(const JobReport& finished) override {
        events.push_back("job");
        report = finished;
    }
    std::string Problems() const { return MakeClosingText(report).details; }
    bool Told(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
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

bool NothingPrivate(const fs::path& folder) {
    const Names names = testing::FolderNames(folder);
    return std::none_of(names.begin(), names.end(),
                        [](const std::string& name) { return name.front() == '.'; });
}

class SplitJobTest : public ::testing::Test {
protected:
    void SetUp() override { host.applicationFolder = splitter.ApplicationFolder(); }

    std::string Source(const std::string& name, int seconds) {
        testing::PutMp3(music / name, seconds);
        return music / name;
    }
    JobReport Run() { return RunSplitJob(host, runner); }

    testing::FakeSplitter splitter;
    TempFolder music;
    RecordingHost host;
    RecordingRunner runner;
};

// Halves of the estimate go to the even neighbour; a missing piece 2 gives no estimate.
TEST(SplitJobParts, EstimateAndRanges) {
    EXPECT_EQ(EstimatePieceLimit(49, 2), 28);  // 24.5 + 3
    EXPECT_EQ(EstimatePieceLimit(51, 2), 28);  // 25.5 + 3
    EXPECT_EQ(EstimatePieceLimit(0, 400), std::nullopt);
    EXPECT_LE(EstimatePieceLimit(400, -1).value(), 2);
    EXPECT_EQ(PieceRanges({3, 7, 8, 9, 12, 13}), "3, 7-9, 12-13");
}

// The sources are 64 kbit/s, 8,000 bytes a second; the stand-in writes pieces of `size`
// bytes. A fault in a run leaves a hole, never a claim of success.
struct FaultRow {
    const char* fault;
    int seconds;
    std::map<int, std::int64_t> sizes;
    std::map<int, std::string> actions;
    std::size_t runs;
    int pieces;
    const char* problem;  // "" when split completely
};

TEST_F(SplitJobTest, EveryFaultEndsWithAnHonestReport) {
    const std::vector<FaultRow> rows = {
        {"estimate bounds the runs", 125, {}, {}, 28, 25, ""},
        {"estimate falls short", 50, {{2, 200'000}}, {}, 10, 10, ""},
        {"estimate absurdly high", 20, {{2, 1}}, {}, 7, 4, ""},
        {"shorter than one interval", 4, {}, {}, 2, 1, ""},
        {"run skips a piece", 15, {{2, 0}}, {}, 3, 2,
         "missing pieces 2 (the splitter wrote nothing)"},
        {"full disk", 15, {{2, -1}, {3, -1}}, {}, 3, 1, "missing pieces 2-3 (disk full)"},
        {"crash before writing", 15, {}, {{1, "kill -9 $$"}}, 6, 2,
         "missing pieces 1 (the splitter was killed (Killed))"},
        {"rename fails", 15, {}, {{2, "mkdir -p \"${source%.mp3}-0002.mp3/x\""}}, 3, 2,
         "missing pieces 2 (cannot be put in place (Is a directory))"},
        {"source deleted", 15, {}, {{2, "rm \"$source\""}}, 3, 2, "changed during the split"},
        {"source grown", 15, {}, {{3, "echo x >>\"$source\""}}, 6, 3,
         "changed during the split"},
    };
    for (const FaultRow& row : rows) {
        SCOPED_TRACE(row.fault);
        TempFolder folder;
        testing::PutMp3(folder / "song.mp3", row.seconds);
        host.entries = {folder / "song.mp3"};
        splitter.Configure(row.seconds, 40'000, row.sizes, false, row.actions);
        runner.runs.clear();
        const JobReport report = Run();
        EXPECT_EQ(runner.runs.size(), row.runs);
        ASSERT_EQ(report.files.size(), 1u);
        EXPECT_EQ(report.files[0].piecesWritten, row.pieces);
        EXPECT_EQ(host.Problems(), row.problem[0] == '\0'
                                       ? std::string()
                                       : folder / "song.mp3" + ": " + row.problem);
        EXPECT_TRUE(NothingPrivate(folder.path()));
    }
}

// The real mp3splt on a file system that runs out of room or of inodes part way.
TEST_F(SplitJobTest, FullFileSystems) {
    for (const char* limit : {"size=256k", "nr_inodes=5"}) {
        SCOPED_TRACE(limit);
        const TempFolder small;
        if (testing::RunTool({"mount", "-t", "tmpfs", "-o", limit, "tmpfs", small.path()}).exitCode)
            GTEST_SKIP() << "mounting a small tmpfs needs root; full file systems not tried";
        testing::PutMp3(small / "talk.mp3", 20);
        host.entries = {small / "talk.mp3"};
        host.applicationFolder = "";
        const JobReport report = Run();
        const bool tidy = NothingPrivate(small.path());
        testing::RunTool({"umount", small.path()});
        EXPECT_LT(report.files.at(0).piecesWritten, 4);
        EXPECT_NE(host.Problems().find(": missing pieces "), std::string::npos) << host.Problems();
        EXPECT_TRUE(tidy);
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
}

// A re-split with a longer length names what an earlier split left beyond its last piece,
// up to a file of the list.
// Private folders of jobs that no longer run go; a running job's stays.
TEST_F(SplitJobTest, OlderPiecesAreNamedAndStalePrivateFoldersRemoved) {
    const std::string stale = ".parvane-999999999-AbCdEf";  // beyond any process id
    const std::string running = ".parvane-" + std::to_string(::getppid()) + "-AbCdEf";
    WriteFile(music.path() / stale / "piece.mp3");
    fs::create_directories(music.path() / running);
    host.entries = {Source("a.mp3", 30), music / "a-0007.mp3"};
    for (const char* name : {"a-0004.mp3", "a-0005.mp3", "a-0006.mp3", "a-0007.mp3", "a-0008.mp3"})
        WriteFile(music / name);
    splitter.Configure(30, 40'000);
    host.interval = 10;
    Run();
    EXPECT_EQ(host.Problems(), music / "a-0007.mp3" + ": not an MP3 file\n" + music / "a.mp3" +
                                   ": older pieces remain: a-0004.mp3 to a-0006.mp3");
    EXPECT_EQ(testing::FolderNames(music.path()), (Names{"a.mp3", "a-0001.mp3", "a-0002.mp3", "a-0003.mp3", "a-0004.mp3",
                             "a-0005.mp3", "a-0006.mp3", "a-0007.mp3", "a-0008.mp3", running}));
}

// Beside the program a file that cannot run; on PATH only relative and empty entries, which
// name places under the current folder and are passed over, then nothing; later the
// splitter found on PATH vanishes after the first file. Either way the message says what
// was split before.
TEST_F(SplitJobTest, MissingOrLostSplitter) {
    const TempFolder application, emptyPath;
    WriteFile(application / "mp3splt", "not executable");
    host.applicationFolder = application.path();
    host.entries = {Source("a.mp3", 7), Source("b.mp3", 7)};
    const std::string relative = fs::relative(splitter.ApplicationFolder()).string() + "::";
    const std::string savedPath = SearchPath();
    ::setenv("PATH", (relative + emptyPath.path().string()).c_str(), 1);
    Run();
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(MakeClosingText(host.report).summary,
              "The splitter mp3splt was not found. Looked for " + (application / "mp3splt") +
                  " and for mp3splt on PATH (" + relative + emptyPath.path().string() +
                  "). Install the Debian package mp3splt.\nNothing was split.");

    ::setenv("PATH", (relative + splitter.ApplicationFolder() + ":" + savedPath).c_str(), 1);
    splitter.Configure(7, 40'000, {}, false, {{2, "[ \"${source##*/}\" = b.mp3 ] && rm \"$0\""}});
    Run();
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(MakeClosingText(host.report).summary,
              "The splitter " + splitter.Path() +
                  " could not be started (No such file or directory). Splitting was stopped.\n"
                  "Split completely before that: " + (music / "a.mp3") + ".");
}

// A stop cuts a hanging run off, or keeps the next file from starting; either way the
// piece being written goes and nothing private stays.
TEST_F(SplitJobTest, Stops) {
    for (const bool betweenFiles : {false, true}) {
        SCOPED_TRACE(betweenFiles ? "between two files" : "inside a run");
        const TempFolder folder;
        for (const char* name : {"song.mp3", "next.mp3"}) testing::PutMp3(folder / name, 5);
        host.entries = {folder / "song.mp3", folder / "next.mp3"};
        host.events.clear();
        // The hanging run's piece lies in the private folder.
        const auto pieceWritten = [&] {
            return std::any_of(fs::recursive_directory_iterator(folder.path()), {},
                               [](auto& entry) { return entry.path().filename() == "piece.mp3"; });
        };
        host.stop = [&] { return betweenFiles ? host.Told("finished 1") : pieceWritten(); };
        splitter.Configure(5, 1'000, {}, !betweenFiles);
        EXPECT_EQ(Run().end, JobEnd::Stopped);
        EXPECT_FALSE(host.Told("file 2/2"));
        EXPECT_EQ(testing::FolderNames(folder.path()).size(), betweenFiles ? 3u : 2u);
        EXPECT_TRUE(NothingPrivate(folder.path()));
    }
}

}  // namespace
}  // namespace parvane
