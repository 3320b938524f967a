#include <gtest/gtest.h>

#include "cli/ConsoleArguments.h"
#include "engine/names/PiecePaths.h"

namespace parvane {
namespace {

ParsedArguments Parse(const std::vector<std::string>& args) {
    return ParseConsoleArguments(args, {"/home/me", 0});
}

ConsoleSource File(const std::string& path) {
    return {ConsoleSource::Kind::File, path};
}
ConsoleSource Folder(const std::string& path) {
    return {ConsoleSource::Kind::Folder, path};
}

// "link/.." is not the folder holding link when link is a symbolic link, so ".." after a
// typed name stays; the current folder is a real path, and ".." can come off it.
TEST(ConsoleArguments, SourcesInTheOrderGivenAndTheInterval) {
    const ParsedArguments parsed =
        Parse({"a.mp3", "--folder", "music", "link/../b.mp3", "--list", "--folder=/srv/x/",
               "../../c d.mp3", "./e//./f.mp3", "--", "-g.MP3"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.intervalSeconds, 300);
    EXPECT_TRUE(parsed.options.listOnly);
    EXPECT_EQ(parsed.options.sources,
              (std::vector<ConsoleSource>{File("/home/me/a.mp3"), Folder("/home/me/music"),
                                          File("/home/me/link/../b.mp3"), Folder("/srv/x"),
                                          File("/c d.mp3"), File("/home/me/e/f.mp3"),
                                          File("/home/me/-g.MP3")}));
    EXPECT_EQ(Parse({"--every", "0:05", "a.mp3"}).options.intervalSeconds, 5);
    EXPECT_EQ(Parse({"a.mp3", "--every=60:00"}).options.intervalSeconds, 3600);
    EXPECT_EQ(AbsolutePath("..", "/"), "/");
}

}  // namespace
}  // namespace parvane
