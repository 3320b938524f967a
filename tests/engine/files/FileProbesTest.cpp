#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "engine/audio/SourceMeasure.h"
#include "engine/files/FileProbes.h"
#include "engine/files/FileReading.h"
#include "tests/support/TestSupport.h"

namespace parvane {
namespace {

// Sizes past both 32-bit limits (sparse, so it costs no disk space); the exact playing time
// of a real MP3, whatever encoder delay and padding it carries; anything else is named for
// what it is, and a pipe answers at once.
TEST(FileProbes, SizesPlayingTimesOrWhyNot) {
    const testing::TempFolder folder;
    const std::string big = folder / "big.mp3";
    testing::WriteFile(big, "");
    std::filesystem::resize_file(big, (5LL << 30) + 7);
    EXPECT_EQ(RegularFileSize(big), (5LL << 30) + 7);
    testing::PutMp3(folder / "song.mp3", 7);
    testing::MakeMp3(folder / "vbr.mp3", {"synth", "3", "whitenoise", "pad", "0", "2"},
                     {"-V", "2"});
    testing::WriteFile(folder / "text.mp3", "ID3 but not audio\n");
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    using Kind = FileProblem::Kind;
    const std::vector<std::pair<std::string, std::optional<Kind>>> problems = {
        {folder / "missing.mp3", Kind::NotFound}, {folder / "song.mp3/x", Kind::NotFound},
        {folder.path().string(), Kind::NotAFile}, {pipe, Kind::NotAFile},
        {folder / "text.mp3", Kind::NotMp3},      {folder / "song.mp3", std::nullopt},
    };
    for (const auto& [path, problem] : problems) {
        const std::optional<FileProblem> found = MeasureSource(path).problem;
        EXPECT_EQ(found ? std::optional(found->kind) : std::nullopt, problem) << path;
    }
    for (const std::string& other : {folder / "missing.mp3", folder.path().string(), pipe}) {
        EXPECT_EQ(RegularFileSize(other), -1) << other;
    }
    for (const auto& [name, seconds] : {std::pair{"song.mp3", 7.0}, {"vbr.mp3", 5.0}}) {
        const SourceMeasure measure = MeasureSource(folder / name);
        EXPECT_NEAR(measure.seconds, seconds, 1e-6) << name;
        EXPECT_EQ(measure.identity, IdentityOf(folder / name));
    }
}

// A link at a piece's name is never put over nor read through: each system's look at a name
// and its open must tell the link from what it points to.
TEST(FileProbes, ALinkAtANameIsNotFollowedWhereAskedNot) {
    const testing::TempFolder folder;
    testing::WriteFile(folder / "a.mp3");
    std::filesystem::create_symlink("a.mp3", folder / "link");
    EXPECT_EQ(StatusOfName(folder / "a.mp3").kind, FileKind::Regular);
    EXPECT_EQ(StatusOfName(folder / "link").kind, FileKind::Other);
    EXPECT_EQ(StatusOfName(folder / "missing").error, ENOENT);
    EXPECT_EQ(OpenForReading(folder / "link").kind, FileKind::Regular);
    EXPECT_NE(OpenForReading(folder / "link", LinkAtPath::Refuse).error, 0);
}

}  // namespace
}  // namespace parvane
