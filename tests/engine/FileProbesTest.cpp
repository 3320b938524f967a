#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "FileProbes.h"
#include "TestSupport.h"

namespace parvane {
namespace {

using testing::TempFolder;
using testing::WriteFile;

TEST(FileProbes, SizesAndExistence) {
    const TempFolder folder;
    WriteFile(folder / "empty.mp3", "");
    WriteFile(folder / "five.mp3", "12345");

    EXPECT_EQ(FileSize2(folder / "missing.mp3"), -1);
    EXPECT_FALSE(FileExists(folder / "missing.mp3"));
    EXPECT_EQ(FileSize2(folder / "empty.mp3"), 0);
    EXPECT_TRUE(FileExists(folder / "empty.mp3"));
    EXPECT_EQ(FileSize2(folder / "five.mp3"), 5);
    EXPECT_EQ(FileSize2(folder.path().string()), -1);
    EXPECT_TRUE(FileExists(folder.path().string()));
}

TEST(FileProbes, SizesPastFourGibibytesAreExact) {
    const TempFolder folder;
    const std::string big = folder / "big.mp3";
    WriteFile(big, "");
    std::filesystem::resize_file(big, 3LL << 30);  // sparse: costs no disk space
    EXPECT_EQ(FileSize2(big), 3LL << 30);
    std::filesystem::resize_file(big, (5LL << 30) + 7);
    EXPECT_EQ(FileSize2(big), (5LL << 30) + 7);
}

TEST(FileProbes, NamedPipeDoesNotBlock) {
    const TempFolder folder;
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(FileSize2(pipe), -1);
}

}  // namespace
}  // namespace parvane
