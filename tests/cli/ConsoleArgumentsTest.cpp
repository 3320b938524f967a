#include <gtest/gtest.h>

#include "ConsoleArguments.h"

namespace parvane {
namespace {

ParsedArguments Parse(const std::vector<std::string>& args) {
    return ParseConsoleArguments(args, "/home/me");
}

TEST(ConsoleArguments, FilesAndTheDefaultInterval) {
    const ParsedArguments parsed = Parse({"a.mp3", "/m/b.mp3", "./c d.mp3", "sub/e.mp3"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.intervalEntry, " Split Every 5:00");
    EXPECT_EQ(parsed.options.files,
              (std::vector<std::string>{"/home/me/a.mp3", "/m/b.mp3", "/home/me/c d.mp3",
                                        "/home/me/sub/e.mp3"}));
    EXPECT_FALSE(parsed.options.showHelp);
}

TEST(ConsoleArguments, EveryTakesOnlyMenuIntervals) {
    EXPECT_EQ(Parse({"--every", "0:05", "a.mp3"}).options.intervalEntry, " Split Every 0:05");
    EXPECT_EQ(Parse({"a.mp3", "--every=60:00"}).options.intervalEntry, " Split Every 60:00");
    EXPECT_EQ(Parse({"--every", "1:30", "--every", "10:00", "a.mp3"}).options.intervalEntry,
              " Split Every 10:00");
    for (const char* wrong : {"0:07", "5", "5:0", "05:00", "", "1:30x"}) {
        const ParsedArguments parsed = Parse({"--every", wrong, "a.mp3"});
        EXPECT_NE(parsed.error.find(std::string("\"") + wrong + "\""), std::string::npos)
            << parsed.error;
        EXPECT_NE(parsed.error.find(IntervalChoices()), std::string::npos) << parsed.error;
    }
    EXPECT_NE(Parse({"a.mp3", "--every"}).error.find("0:05 0:10 0:30"), std::string::npos);
    EXPECT_EQ(IntervalChoices(),
              "0:05 0:10 0:30 1:00 1:30 2:00 2:30 3:00 3:30 4:00 4:30 5:00 10:00 15:00 "
              "20:00 25:00 30:00 35:00 40:00 45:00 50:00 55:00 60:00");
}

TEST(ConsoleArguments, HelpUnknownOptionsAndFilesAfterDoubleDash) {
    EXPECT_TRUE(Parse({"--help"}).options.showHelp);
    EXPECT_EQ(Parse({"-h"}).error, "");
    EXPECT_NE(Parse({"-x", "a.mp3"}).error.find("unknown option \"-x\""), std::string::npos);
    EXPECT_EQ(Parse({}).error, "no FILE given");
    EXPECT_EQ(Parse({"--every", "0:10"}).error, "no FILE given");
    const ParsedArguments parsed = Parse({"--", "-lead.MP3", "--every"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.files,
              (std::vector<std::string>{"/home/me/-lead.MP3", "/home/me/--every"}));
    EXPECT_EQ(AbsolutePath("x.mp3", "/"), "/x.mp3");
}

}  // namespace
}  // namespace parvane
