#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FakeSplitter.h"
#include "SplitJob.h"
#include "TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::FakeSplitter;
using testing::FolderNames;
using testing::TempFolder;
using testing::WriteFile;

class RecordingHost : public SplitHost {
public:
    std::vector<std::string> entries;
    std::string intervalEntry = " Split Every 0:05";
    std::string applicationFolder;
    std::function<bool()> stop = [] { return false; };

    std::vector<float> progress;
    std::vector<int> pointers;
    std::vector<std::string> messages;
    std::vector<std::string> calls;  // progress, pointer and message calls in order
    std::vector<std::string> piecesReported;
    int eventPasses = 0;

    int EntryCount() const override { return static_cast<int>(entries.size()); }
    std::string EntryText(int position) const override {
        return entries.at(static_cast<std::size_t>(position - 1));
    }
    std::string IntervalEntryText() const override { return intervalEntry; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    void SetProgress(float percent) override {
        progress.push_back(percent);
        calls.push_back("progress " + std::to_string(static_cast<int>(percent)));
    }
    void SetWindowPointer(int pointer) override {
        pointers.push_back(pointer);
        calls.push_back("pointer " + std::to_string(pointer));
    }
    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        calls.push_back("message");
    }
    void HandlePendingEvents() override { ++eventPasses; }
    bool StopRequested() const override { return stop(); }
    void PieceWritten(const std::string& piecePath) override {
        piecesReported.push_back(piecePath);
    }
};

class RecordingRunner : public ProcessRunner {
public:
    std::vector<std::vector<std::string>> runs;
    std::int32_t Run(const std::vector<std::string>& argv, int windowStyle,
                     const WaitHooks& hooks) override {
        runs.push_back(argv);
        EXPECT_EQ(windowStyle, kStyleHidden);
        return RunAndWait(argv, windowStyle, hooks);
    }
};

class SplitJobTest : public ::testing::Test {
protected:
    void SetUp() override { host.applicationFolder = splitter.ApplicationFolder(); }

    std::string MakeSource(const std::string& name, std::int64_t size) {
        const std::string path = music / name;
        WriteFile(path, "");
        fs::resize_file(path, static_cast<std::uintmax_t>(size));
        return path;
    }

    SplitResult Run() { return RunSplitJob(host, runner); }

    // Leftover private outputs would show as names starting with ".".
    void ExpectOnlyThese(const std::set<std::string>& names) {
        EXPECT_EQ(FolderNames(music.path()), names);
    }

    static std::set<std::string> Pieces(const std::string& base, int count,
                                        const std::string& extension = ".mp3") {
        std::set<std::string> names;
        for (int k = 1; k <= count; ++k) {
            char number[16];
            std::snprintf(number, sizeof number, "%04d", k);
            names.insert(base + "-" + number + extension);
        }
        return names;
    }

    FakeSplitter splitter;
    TempFolder music;
    RecordingHost host;
    RecordingRunner runner;
};

TEST(SplitterCommand, CommandLineTextFollowsTheRows) {
    EXPECT_EQ(SplitterCommandLine("/App/mp3splt", "/Music/song.mp3", 0.0, 5.0,
                                  "/Music/song-0001.mp3"),
              "\"/App/mp3splt\" \"/Music/song.mp3\" 0.00 5.00 -o \"song-0001.mp3\" -d "
              "\"/Music\"");
    EXPECT_EQ(SplitterCommandLine("/App/mp3splt", "/Music/song.mp3", 10.0, 15.0,
                                  "/Music/song-0003.mp3"),
              "\"/App/mp3splt\" \"/Music/song.mp3\" 10.00 15.00 -o \"song-0003.mp3\" -d "
              "\"/Music\"");
    EXPECT_EQ(SplitterArguments("/App/mp3splt", "/M/a b.mp3", 1.3, 3.0, ".p-1", "/M"),
              (std::vector<std::string>{"/App/mp3splt", "/M/a b.mp3", "1.30", "3.00", "-o",
                                        ".p-1", "-d", "/M"}));
}

TEST(SplitterCommand, EstimateOfThePieceLimit) {
    EXPECT_EQ(EstimatePieceLimit(10'000'000, 400'000), 28);
    EXPECT_EQ(EstimatePieceLimit(49, 2), 28);   // 1/r = 24.5: 27.5 rounds to 28
    EXPECT_EQ(EstimatePieceLimit(51, 2), 28);   // 1/r = 25.5: 28.5 rounds to 28
    EXPECT_EQ(EstimatePieceLimit(53, 2), 30);   // 29.5 rounds to 30
    EXPECT_EQ(EstimatePieceLimit(2000, 1000), 5);
    EXPECT_EQ(EstimatePieceLimit(28'800'000, 9'600'000), 6);
    EXPECT_EQ(EstimatePieceLimit(10'000'000, -1), 3 - 10'000'000);
    EXPECT_EQ(EstimatePieceLimit(-1, -1), 4);
    EXPECT_EQ(EstimatePieceLimit(0, 400), std::nullopt);
    EXPECT_EQ(EstimatePieceLimit(400, 0), std::nullopt);
    EXPECT_EQ(EstimatePieceLimit(3LL << 30, (3LL << 30) / 10), 13);
    EXPECT_EQ(EstimatePieceLimit(5LL << 30, 1LL << 20), 5123);
}

TEST(SplitterCommand, FindSplitterPrefersTheApplicationFolder) {
    const FakeSplitter beside;
    const TempFolder onPath;
    const TempFolder empty;
    WriteFile(onPath / "mp3splt", "#!/bin/sh\n", true);
    const std::string path = empty.path().string() + "::" + onPath.path().string();
    EXPECT_EQ(FindSplitter(beside.ApplicationFolder(), path), beside.Path());
    EXPECT_EQ(FindSplitter(empty.path().string(), path), onPath / "mp3splt");
    WriteFile(empty / "mp3splt", "not executable");
    EXPECT_EQ(FindSplitter(empty.path().string(), path), onPath / "mp3splt");
    EXPECT_EQ(FindSplitter(empty.path().string(), empty.path().string()), std::nullopt);
    EXPECT_EQ(FindSplitter("", ""), std::nullopt);
}

TEST_F(SplitJobTest, EmptyListOnlySaysSo) {
    const SplitResult result = Run();
    EXPECT_EQ(host.messages, std::vector<std::string>{"No files added."});
    EXPECT_TRUE(host.progress.empty());
    EXPECT_TRUE(host.pointers.empty());
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_FALSE(result.splitterMissing);
}

TEST_F(SplitJobTest, EstimateFromPieceTwoBoundsTheRuns) {
    host.entries = {MakeSource("song.mp3", 10'000'000)};
    splitter.Configure(125, 400'000);
    const SplitResult result = Run();

    EXPECT_EQ(runner.runs.size(), 28u);
    ExpectOnlyThese([&] {
        auto names = Pieces("song", 25);
        names.insert("song.mp3");
        return names;
    }());
    EXPECT_EQ(host.messages, std::vector<std::string>{"Done."});
    EXPECT_EQ(host.calls, (std::vector<std::string>{"pointer 11", "progress 100", "message",
                                                    "progress 0", "pointer 0"}));
    EXPECT_EQ(result.piecesWritten, 25);
    EXPECT_EQ(host.piecesReported.front(), music / "song-0001.mp3");
    EXPECT_GT(host.eventPasses, 0);

    // Every run writes under a private name in the piece's folder; the stamps count
    // five seconds on, piece 12 running from 0.55 to 1.00.
    const std::vector<std::string>& twelfth = runner.runs[11];
    ASSERT_EQ(twelfth.size(), 8u);
    EXPECT_EQ(twelfth[0], splitter.Path());
    EXPECT_EQ(twelfth[1], music / "song.mp3");
    EXPECT_EQ(twelfth[2], "0.55");
    EXPECT_EQ(twelfth[3], "1.00");
    EXPECT_EQ(twelfth[4], "-o");
    EXPECT_EQ(twelfth[5].rfind(".parvane-", 0), 0u) << twelfth[5];
    EXPECT_EQ(twelfth[6], "-d");
    EXPECT_EQ(twelfth[7], music.path().string());
}

TEST_F(SplitJobTest, IntervalOfNinetySecondsGivesItsStamps) {
    host.entries = {MakeSource("song.mp3", 3000)};
    host.intervalEntry = " Split Every 1:30";
    splitter.Configure(270, 1000);
    Run();
    ASSERT_EQ(runner.runs.size(), 6u);  // 3000 / 1000 + 3
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"0.00", "1.30"}, {"1.30", "3.00"}, {"3.00", "4.30"}, {"4.30", "6.00"}};
    for (std::size_t k = 0; k < runner.runs.size() && k < expected.size(); ++k) {
        EXPECT_EQ(runner.runs[k][2], expected[k].first);
        EXPECT_EQ(runner.runs[k][3], expected[k].second);
    }
}

TEST_F(SplitJobTest, SourceShorterThanOneIntervalGetsTwoRuns) {
    host.entries = {MakeSource("short.mp3", 50'000)};
    splitter.Configure(4, 50'000);
    const SplitResult result = Run();
    EXPECT_EQ(runner.runs.size(), 2u);
    ExpectOnlyThese({"short.mp3", "short-0001.mp3"});
    EXPECT_EQ(host.messages, std::vector<std::string>{"Done."});
    EXPECT_TRUE(result.filesWithoutPieces.empty());
}

TEST_F(SplitJobTest, MissingSourceGetsFourRunsAndIsNamed) {
    const std::string missing = music / "gone.mp3";
    host.entries = {missing};
    splitter.Configure(1000);
    const SplitResult result = Run();
    EXPECT_EQ(runner.runs.size(), 4u);
    ExpectOnlyThese({});
    EXPECT_EQ(result.filesWithoutPieces, std::vector<std::string>{missing});
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Done.\n\nNo piece was written for:\n" + missing);
}

TEST_F(SplitJobTest, ProgressShowsTheShareOfFilesBegun) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) {
        host.entries.push_back(MakeSource(name, 20'000));
    }
    splitter.Configure(5, 20'000);
    Run();
    EXPECT_EQ(host.progress, (std::vector<float>{25.0f, 50.0f, 75.0f, 100.0f, 0.0f}));
    EXPECT_EQ(host.pointers, (std::vector<int>{11, 11, 11, 11, 0}));
    EXPECT_EQ(host.calls.back(), "pointer 0");
    EXPECT_EQ(host.calls[host.calls.size() - 3], "message");
    EXPECT_EQ(host.messages, std::vector<std::string>{"Done."});
}

// Piece 2 four times the average: the estimate says 5 runs, the file needs 10 pieces.
TEST_F(SplitJobTest, UndercountingEstimateStillSplitsToTheEnd) {
    host.entries = {MakeSource("loud.mp3", 10'000'000)};
    splitter.Configure(50, 1'000'000, {{2, 5'000'000}});
    const SplitResult result = Run();
    EXPECT_EQ(runner.runs.size(), 11u);
    auto expected = Pieces("loud", 10);
    expected.insert("loud.mp3");
    ExpectOnlyThese(expected);
    EXPECT_EQ(result.piecesWritten, 10);
}

TEST_F(SplitJobTest, SourcesOfSeveralGibibytesAreSplitCompletely) {
    const std::int64_t size = 3LL << 30;
    host.entries = {MakeSource("long.mp3", size)};
    splitter.Configure(50, size / 10);
    Run();
    EXPECT_EQ(runner.runs.size(), 13u);
    auto expected = Pieces("long", 10);
    expected.insert("long.mp3");
    ExpectOnlyThese(expected);
}

TEST_F(SplitJobTest, EmptyOutputIsNoPiece) {
    host.entries = {MakeSource("song.mp3", 10'000)};
    splitter.Configure(15, 1'000, {{1, 0}, {3, 0}});
    Run();
    ExpectOnlyThese({"song.mp3", "song-0002.mp3"});
}

TEST_F(SplitJobTest, NamesWithoutPointAndOddCharactersComeOutExactly) {
    const std::vector<std::string> names = {"README", "-lead \"q\" 'x' @t +p $HOME.MP3",
                                            "Grüße – café.mp3"};
    for (const std::string& name : names) {
        host.entries.push_back(MakeSource(name, 3'000));
    }
    splitter.Configure(10, 1'000);
    Run();
    ExpectOnlyThese({"README", "README-0001", "README-0002",
                     "-lead \"q\" 'x' @t +p $HOME.MP3", "-lead \"q\" 'x' @t +p $HOME-0001.MP3",
                     "-lead \"q\" 'x' @t +p $HOME-0002.MP3", "Grüße – café.mp3",
                     "Grüße – café-0001.mp3", "Grüße – café-0002.mp3"});
    EXPECT_EQ(host.messages, std::vector<std::string>{"Done."});
}

TEST_F(SplitJobTest, FilesWithoutPiecesAreNamedAfterDone) {
    const std::string missing = music / "missing.mp3";
    host.entries = {MakeSource("good.mp3", 2'000), missing, MakeSource("other.mp3", 2'000)};
    splitter.Configure(10, 1'000);
    const SplitResult result = Run();
    EXPECT_EQ(result.filesWithoutPieces, std::vector<std::string>{missing});
    EXPECT_EQ(result.filesDone, 3);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], ClosingMessage(result));
    EXPECT_NE(host.messages[0].find(missing), std::string::npos);
    EXPECT_EQ(host.messages[0].find(music / "good.mp3"), std::string::npos);
}

TEST_F(SplitJobTest, UnreadableIntervalSplitsNothingAndSaysWhichFile) {
    host.entries = {MakeSource("song.mp3", 2'000)};
    host.intervalEntry = " Split Every ";
    const SplitResult result = Run();
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(result.filesWithoutPieces, host.entries);
    EXPECT_EQ(host.pointers.back(), 0);
}

class PathGuard {
public:
    explicit PathGuard(const std::string& path) : saved_(SearchPath()) {
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathGuard() { ::setenv("PATH", saved_.c_str(), 1); }
    PathGuard(const PathGuard&) = delete;
    PathGuard& operator=(const PathGuard&) = delete;

private:
    std::string saved_;
};

TEST_F(SplitJobTest, MissingSplitterIsReportedAndNothingIsSplit) {
    const TempFolder emptyApplication;
    const TempFolder emptyPath;
    host.applicationFolder = emptyApplication.path().string();
    host.entries = {MakeSource("song.mp3", 2'000)};
    SplitResult result;
    {
        const PathGuard guard(emptyPath.path().string());
        result = Run();
    }
    EXPECT_TRUE(result.splitterMissing);
    EXPECT_TRUE(runner.runs.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    const std::string& message = host.messages[0];
    EXPECT_NE(message.find("mp3splt was not found"), std::string::npos) << message;
    EXPECT_NE(message.find(emptyApplication / "mp3splt"), std::string::npos) << message;
    EXPECT_NE(message.find(emptyPath.path().string()), std::string::npos) << message;
    EXPECT_EQ(message.find("Done."), std::string::npos);
    EXPECT_EQ(host.progress.back(), 0.0f);
    EXPECT_EQ(host.pointers.back(), 0);
    ExpectOnlyThese({"song.mp3"});
}

TEST_F(SplitJobTest, SplitterThatCannotStartStopsTheJob) {
    WriteFile(splitter.Path(), "#!/nonexistent/interpreter\n", true);
    host.entries = {MakeSource("a.mp3", 2'000), MakeSource("b.mp3", 2'000)};
    const SplitResult result = Run();
    EXPECT_TRUE(result.splitterMissing);
    EXPECT_EQ(runner.runs.size(), 1u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("could not be started"), std::string::npos);
    EXPECT_NE(host.messages[0].find(splitter.Path()), std::string::npos);
    EXPECT_EQ(host.progress.back(), 0.0f);
    EXPECT_EQ(host.pointers.back(), 0);
    ExpectOnlyThese({"a.mp3", "b.mp3"});
}

TEST_F(SplitJobTest, StopCutsTheRunOffAndLeavesNoPrivateFile) {
    host.entries = {MakeSource("song.mp3", 10'000), MakeSource("next.mp3", 10'000)};
    splitter.Configure(100, 1'000, {}, true);
    host.stop = [this] { return host.eventPasses >= 3; };
    const auto start = std::chrono::steady_clock::now();
    const SplitResult result = Run();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(runner.runs.size(), 1u);
    EXPECT_TRUE(host.messages.empty());
    ExpectOnlyThese({"song.mp3", "next.mp3"});
    EXPECT_EQ(host.pointers.back(), 0);
}

}  // namespace
}  // namespace parvane
