// The job with the real mp3splt on audio made here with sox and lame, measured by a
// real decoder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FileProbes.h"
#include "SplitJob.h"
#include "TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::DecodedSeconds;
using testing::FolderNames;
using testing::MakeMp3;
using testing::TempFolder;

class ConsoleLikeHost : public SplitHost {
public:
    std::vector<std::string> entries;
    std::string intervalEntry;
    std::string applicationFolder;  // an empty folder: the mp3splt on PATH is used
    std::vector<std::string> messages;

    int EntryCount() const override { return static_cast<int>(entries.size()); }
    std::string EntryText(int position) const override {
        return entries.at(static_cast<std::size_t>(position - 1));
    }
    std::string IntervalEntryText() const override { return intervalEntry; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    void SetProgress(float) override {}
    void SetWindowPointer(int) override {}
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void HandlePendingEvents() override {}
    bool StopRequested() const override { return false; }
};

class SplitEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { host.applicationFolder = application.path().string(); }

    SplitResult Split(const std::vector<std::string>& sources, const char* interval) {
        host.entries = sources;
        host.intervalEntry = interval;
        RealProcessRunner runner;
        return RunSplitJob(host, runner);
    }

    TempFolder application;
    TempFolder music;
    ConsoleLikeHost host;
};

TEST_F(SplitEndToEndTest, ConstantBitRateFileGivesExactPieces) {
    const std::string source = music / "song.mp3";
    MakeMp3(source, {"synth", "25", "sine", "440"}, {"-b", "128"});
    const SplitResult result = Split({source}, " Split Every 0:10");

    EXPECT_EQ(FolderNames(music.path()),
              (std::set<std::string>{"song.mp3", "song-0001.mp3", "song-0002.mp3",
                                     "song-0003.mp3"}));
    EXPECT_NEAR(DecodedSeconds(music / "song-0001.mp3"), 10.0, 0.1);
    EXPECT_NEAR(DecodedSeconds(music / "song-0002.mp3"), 10.0, 0.1);
    EXPECT_NEAR(DecodedSeconds(music / "song-0003.mp3"), 5.0, 0.1);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Done."});
    EXPECT_EQ(result.piecesWritten, 3);
}

// Loud noise first, then silence: piece 2 is far larger than the average piece, so the
// estimate falls short, and the pieces must still hold all of the sound.
TEST_F(SplitEndToEndTest, VariableBitRateFileLosesNoAudio) {
    const std::string source = music / "talk.mp3";
    MakeMp3(source, {"synth", "10", "whitenoise", "pad", "0", "30"}, {"-V", "2"});
    const double sourceSeconds = DecodedSeconds(source);
    const SplitResult result = Split({source}, " Split Every 0:05");

    double total = 0.0;
    for (const std::string& name : FolderNames(music.path())) {
        if (name != "talk.mp3") {
            total += DecodedSeconds(music / name);
        }
    }
    EXPECT_GE(total, sourceSeconds - 0.1);
    EXPECT_GE(result.piecesWritten, 8);
    // The estimate alone would have stopped short of the end.
    const auto estimate =
        EstimatePieceLimit(FileSize2(source), FileSize2(music / "talk-0002.mp3"));
    ASSERT_TRUE(estimate.has_value());
    EXPECT_LT(*estimate, 8);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Done."});
}

TEST_F(SplitEndToEndTest, PiecesOfOddNamesLandAtTheirExactPaths) {
    const fs::path folder = music.path() / "it's \"odd\" @n +1 $HOME";
    fs::create_directories(folder);
    const std::string original = (folder / "original.mp3").string();
    MakeMp3(original, {"synth", "12", "sine", "330"}, {"-b", "64"});
    const std::vector<std::string> names = {"a b \"c\" 'd'.mp3", "@t @n +plus+ $x.mp3",
                                            "-leading.MP3", "Grüße çà 日本.mp3"};
    std::vector<std::string> sources;
    std::set<std::string> expected;
    for (const std::string& name : names) {
        fs::copy_file(original, folder / name);
        sources.push_back((folder / name).string());
        const std::string base = name.substr(0, name.rfind('.'));
        const std::string extension = name.substr(name.rfind('.'));
        expected.insert(name);
        expected.insert(base + "-0001" + extension);
        expected.insert(base + "-0002" + extension);
    }
    fs::remove(original);

    const SplitResult result = Split(sources, " Split Every 0:10");
    EXPECT_EQ(FolderNames(folder), expected);
    EXPECT_TRUE(result.filesWithoutPieces.empty());
    EXPECT_NEAR(DecodedSeconds((folder / "-leading-0002.MP3").string()), 2.0, 0.1);
}

}  // namespace
}  // namespace parvane
