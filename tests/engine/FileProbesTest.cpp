#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "FileProbes.h"
#include "TestSupport.h"

namespace parvane {
namespace {

TEST(FileProbes, SizesAndExistence) {
    const testing::TempFolder folder;
    testing::WriteFile(folder / "five.mp3", "12345");
    const std::string big = folder / "big.mp3";
    testing::WriteFile(big, "");
    // Past both 32-bit limits; sparse, so it costs no disk space.
    std::filesystem::resize_file(big, (5LL << 30) + 7);
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    EXPECT_EQ(FileSize2(folder / "five.mp3"), 5);
    EXPECT_EQ(FileSize2(big), (5LL << 30) + 7);
    EXPECT_EQ(FileSize2(folder / "missing.mp3"), -1);
    EXPECT_EQ(FileSize2(folder.path()), -1);
    EXPECT_EQ(FileSize2(pipe), -1);  // at once, without waiting for a writer
    EXPECT_TRUE(FileExists(folder / "five.mp3"));
    EXPECT_TRUE(FileExists(folder.path()));
    EXPECT_FALSE(FileExists(folder / "missing.mp3"));
}

}  // namespace
}  // namespace parvane
