// The split job with a stand-in splitter: how many runs each file gets, what the host is
// told, and which files are left in the folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "SplitJob.h"
#include "TestSupport.h"

namespace parvane {
namespace {

using testing::FakeSplitter;
using testing::TempFolder;
using testing::WriteFile;
using Args = std::vector<std::string>;
using Names = std::set<std::string>;

class RecordingHost : public SplitHost {
public:
    std::vector<std::string> entries;
    std::string intervalEntry = " Split Every 0:05";
    std::string applicationFolder;
    std::function<bool()> stop = [] { return false; };
    Args messages;
    Args calls;  // "progress 25", "pointer 11", "message" in the order made
    int eventPasses = 0;

    int EntryCount() const override { return static_cast<int>(entries.size()); }
    std::string EntryText(int position) const override {
        return entries.at(static_cast<std::size_t>(position - 1));
    }
    std::string IntervalEntryText() const override { return intervalEntry; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    void SetProgress(float percent) override {
        calls.push_back("progress " + std::to_string(static_cast<int>(percent)));
    }
    void SetWindowPointer(int pointer) override {
        calls.push_back("pointer " + std::to_string(pointer));
    }
    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        calls.push_back("message");
    }
    void HandlePendingEvents() override { ++eventPasses; }
    bool StopRequested() const override { return stop(); }
    // Progress back at 0 and the default pointer, as every job leaves them.
    bool EndedIdle() const {
        return calls.size() >= 2 && calls[calls.size() - 2] == "progress 0" &&
               calls.back() == "pointer 0";
    }
};

class RecordingRunner : public ProcessRunner {
public:
    std::vector<Args> runs;
    std::int32_t Run(const Args& argv, int windowStyle, const WaitHooks& hooks) override {
        runs.push_back(argv);
        EXPECT_EQ(windowStyle, kStyleHidden);
        return RunAndWait(argv, windowStyle, hooks);
    }
};

class SplitJobTest : public ::testing::Test {
protected:
    void SetUp() override { host.applicationFolder = splitter.ApplicationFolder(); }

    // Sparse: even sources of gigabytes cost nothing.
    std::string Source(const std::string& name, std::int64_t size) {
        WriteFile(music / name, "");
        std::filesystem::resize_file(music / name, static_cast<std::uintmax_t>(size));
        return music / name;
    }
    SplitResult Run() { return RunSplitJob(host, runner); }
    // What the folder should hold: a source and its pieces 1..count. A leftover private
    // output would show up as one more name.
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

// For display only: nothing hands this text to a shell.
TEST(SplitterCommand, CommandLineTextFollowsTheRows) {
    EXPECT_EQ(SplitterCommandLine("/App/mp3splt", "/Music/song.mp3", 10.0, 15.0,
                                  "/Music/song-0003.mp3"),
              R"("/App/mp3splt" "/Music/song.mp3" 10.00 15.00 -o "song-0003.mp3" -d "/Music")");
}

TEST(SplitterCommand, EstimateRoundsHalvesToEven) {
    EXPECT_EQ(EstimatePieceLimit(49, 2), 28);  // 24.5 + 3
    EXPECT_EQ(EstimatePieceLimit(51, 2), 28);  // 25.5 + 3
    EXPECT_EQ(EstimatePieceLimit(53, 2), 30);  // 26.5 + 3
    EXPECT_EQ(EstimatePieceLimit(0, 400), std::nullopt);
    EXPECT_EQ(EstimatePieceLimit(400, 0), std::nullopt);
}

TEST_F(SplitJobTest, EmptyListOnlySaysSo) {
    Run();
    EXPECT_EQ(host.calls, Args{"message"});
    EXPECT_EQ(host.messages, Args{"No files added."});
    EXPECT_TRUE(runner.runs.empty());
}

TEST_F(SplitJobTest, EstimateFromPieceTwoBoundsTheRuns) {
    host.entries = {Source("song.mp3", 10'000'000)};
    splitter.Configure(125, 400'000);
    EXPECT_EQ(Run().piecesWritten, 25);
    EXPECT_EQ(runner.runs.size(), 28u);
    EXPECT_EQ(Left(), WithPieces("song", 25));
    EXPECT_EQ(host.messages, Args{"Done."});
    EXPECT_GT(host.eventPasses, 0);

    // Piece 12 runs from 0:55 to 1:00 and is written under a name of the job's own.
    Args twelfth = runner.runs.at(11);
    EXPECT_NE(twelfth.at(5), "song-0012.mp3");
    twelfth.at(5) = "NAME";
    EXPECT_EQ(twelfth, (Args{splitter.Path(), music / "song.mp3", "0.55", "1.00", "-o", "NAME",
                             "-d", music.path()}));
}

TEST_F(SplitJobTest, ProgressShowsTheShareOfFilesBegun) {
    for (const std::string name : {"a", "b", "c", "d"}) {
        host.entries.push_back(Source(name + ".mp3", 20'000));
    }
    splitter.Configure(5, 20'000);
    Run();
    EXPECT_EQ(host.calls, (Args{"pointer 11", "progress 25", "pointer 11", "progress 50",
                                "pointer 11", "progress 75", "pointer 11", "progress 100",
                                "message", "progress 0", "pointer 0"}));
    EXPECT_EQ(host.messages, Args{"Done."});
}

// Piece 2 missing: the estimate ends the file after two runs. A name without "." is all
// base, and its pieces get no extension.
TEST_F(SplitJobTest, ShortSourceGetsTwoRuns) {
    host.entries = {Source("README", 50'000)};
    splitter.Configure(4, 50'000);
    Run();
    EXPECT_EQ(runner.runs.size(), 2u);
    EXPECT_EQ(Left(), (Names{"README", "README-0001"}));
    EXPECT_EQ(host.messages, Args{"Done."});
}

// Source and piece 2 missing: four runs, and the file is named; the next file is split.
TEST_F(SplitJobTest, MissingSourceGetsFourRunsAndIsNamed) {
    const std::string missing = music / "gone.mp3";
    host.entries = {missing, Source("good.mp3", 2'000)};
    splitter.Configure(10, 1'000);
    const SplitResult result = Run();
    EXPECT_EQ(runner.runs.at(3).at(1), missing);
    EXPECT_NE(runner.runs.at(4).at(1), missing);
    EXPECT_EQ(Left(), WithPieces("good", 2));
    EXPECT_EQ(result.filesDone, 2);
    EXPECT_EQ(host.messages, Args{"Done.\n\nNo piece was written for:\n" + missing});
}

// Piece 2 four times the average: the estimate says 5 runs, the file needs 10 pieces.
TEST_F(SplitJobTest, UndercountingEstimateStillSplitsToTheEnd) {
    host.entries = {Source("loud.mp3", 10'000'000)};
    splitter.Configure(50, 1'000'000, {{2, 5'000'000}});
    EXPECT_EQ(Run().piecesWritten, 10);
    EXPECT_EQ(runner.runs.size(), 11u);
    EXPECT_EQ(Left(), WithPieces("loud", 10));
}

TEST_F(SplitJobTest, SourcesOfSeveralGibibytesAreSplitCompletely) {
    const std::int64_t size = 3LL << 30;
    host.entries = {Source("long.mp3", size)};
    splitter.Configure(50, size / 10);
    Run();
    EXPECT_EQ(runner.runs.size(), 13u);
    EXPECT_EQ(Left(), WithPieces("long", 10));
}

TEST_F(SplitJobTest, EmptyOutputIsNoPiece) {
    host.entries = {Source("song.mp3", 10'000)};
    splitter.Configure(15, 1'000, {{1, 0}, {3, 0}});
    Run();
    EXPECT_EQ(Left(), (Names{"song.mp3", "song-0002.mp3"}));
}

// A run that fails part-way (a full disk) leaves a hole in the pieces: its part is gone
// and the file is named, where a bare "Done." would claim success.
TEST_F(SplitJobTest, PieceThatFailsWhileWritingIsReported) {
    host.entries = {Source("song.mp3", 10'000)};
    splitter.Configure(15, 1'000, {{3, -1}});
    const SplitResult result = Run();
    EXPECT_EQ(Left(), WithPieces("song", 2));
    EXPECT_EQ(result.filesIncomplete, host.entries);
    EXPECT_EQ(host.messages,
              Args{"Done.\n\nSome pieces could not be written for:\n" + music / "song.mp3"});
}

TEST_F(SplitJobTest, UnreadableIntervalSplitsNothingAndSaysWhichFile) {
    host.entries = {Source("song.mp3", 2'000)};
    host.intervalEntry = " Split Every ";
    const SplitResult result = Run();
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(result.filesWithoutPieces, host.entries);
    EXPECT_TRUE(host.EndedIdle());
}

// Beside the program a file that cannot run, on PATH nothing.
TEST_F(SplitJobTest, MissingSplitterIsReportedAndNothingIsSplit) {
    const TempFolder application;
    const TempFolder emptyPath;
    WriteFile(application / "mp3splt", "not executable");
    host.applicationFolder = application.path();
    host.entries = {Source("song.mp3", 2'000)};
    const std::string savedPath = SearchPath();
    ::setenv("PATH", emptyPath.path().c_str(), 1);
    const SplitResult result = Run();
    ::setenv("PATH", savedPath.c_str(), 1);

    EXPECT_TRUE(result.splitterMissing);
    EXPECT_TRUE(runner.runs.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    const std::string looked = "mp3splt was not found. Looked for " + (application / "mp3splt") +
                               " and for mp3splt on PATH (" + emptyPath.path().string() + ")";
    EXPECT_NE(host.messages[0].find(looked), std::string::npos) << host.messages[0];
    EXPECT_TRUE(host.EndedIdle());
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
    EXPECT_EQ(FindSplitter("", splitter.ApplicationFolder()), splitter.Path());
}

TEST_F(SplitJobTest, SplitterThatCannotStartStopsTheJob) {
    WriteFile(splitter.Path(), "#!/nonexistent/interpreter\n", true);
    host.entries = {Source("a.mp3", 2'000), Source("b.mp3", 2'000)};
    EXPECT_TRUE(Run().splitterMissing);
    EXPECT_EQ(runner.runs.size(), 1u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find(splitter.Path() + " could not be started"), std::string::npos)
        << host.messages[0];
    EXPECT_TRUE(host.EndedIdle());
    EXPECT_EQ(Left(), (Names{"a.mp3", "b.mp3"}));
}

TEST_F(SplitJobTest, StopCutsTheRunOffAndLeavesNoPrivateFile) {
    host.entries = {Source("song.mp3", 10'000), Source("next.mp3", 10'000)};
    splitter.Configure(100, 1'000, {}, true);
    host.stop = [this] { return host.eventPasses >= 3; };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Run().stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(runner.runs.size(), 1u);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Left(), (Names{"song.mp3", "next.mp3"}));
    EXPECT_TRUE(host.EndedIdle());
}

}  // namespace
}  // namespace parvane
