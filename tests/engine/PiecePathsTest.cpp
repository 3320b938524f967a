#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "PiecePaths.h"

namespace parvane {
namespace {

struct PieceRow {
    const char* source;
    int number;
    const char* piece;
};

// A name without any "." is all base name, and its pieces get no extension.
TEST(PiecePaths, PiecesAreNamedAfterTheirSource) {
    const std::vector<PieceRow> rows = {
        {"/m/song.mp3", 1, "/m/song-0001.mp3"},
        {"/m/song.mp3", 12, "/m/song-0012.mp3"},
        {"/m/song.mp3", 10000, "/m/song-10000.mp3"},
        {"/my.music/live.set.mp3", 3, "/my.music/live.set-0003.mp3"},
        {"/m/SONG.MP3", 2, "/m/SONG-0002.MP3"},
        {"/m/song.", 1, "/m/song-0001."},
        {"/m/.mp3", 1, "/m/-0001.mp3"},
        {"/song.mp3", 1, "/song-0001.mp3"},
        {"/m/it's a \"song\" @t +$x.mp3", 7, "/m/it's a \"song\" @t +$x-0007.mp3"},
        {"/m/back\\slash.mp3", 1, "/m/back\\slash-0001.mp3"},
        {"/m/README", 1, "/m/README-0001"},
        {"/my.music/take", 2, "/my.music/take-0002"},
        {"/m/", 1, "/m/-0001"},
        {"", 1, "-0001"},
    };
    for (const PieceRow& row : rows) {
        EXPECT_EQ(GetPiecePath(row.source, row.number), row.piece) << row.source;
    }
}

// "/" is the only separator, and the last one or "." counts.
TEST(PiecePaths, PathOperations) {
    EXPECT_EQ(GetFolder("/m/a/song.mp3"), "/m/a/");
    EXPECT_EQ(GetFolder("song.mp3"), "");
    EXPECT_EQ(GetFolderWithoutSlash("/song-0001.mp3"), "");
    EXPECT_EQ(GetFolderWithoutSlash("/m/a/song-0001.mp3"), "/m/a");
    EXPECT_THROW(GetFolderWithoutSlash("song.mp3"), std::invalid_argument);
    EXPECT_EQ(GetFileName("C:\\m\\a.mp3"), "C:\\m\\a.mp3");
    EXPECT_EQ(GetExtension("README"), "README");
    EXPECT_EQ(ZeroPad(5, 0), "5");
}

}  // namespace
}  // namespace parvane
