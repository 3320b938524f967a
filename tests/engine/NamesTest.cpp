// Names of pieces and their folders, and the time stamps and labels made from a length.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "Intervals.h"
#include "PiecePaths.h"
#include "PieceWriter.h"
#include "TimeStamps.h"

namespace parvane {
namespace {

// A name without any "." is all base name, and its pieces get no extension.
TEST(PiecePaths, PiecesAreNamedAfterTheirSource) {
    const std::vector<std::tuple<const char*, int, const char*>> rows = {
        {"/m/song.mp3", 12, "/m/song-0012.mp3"},
        {"/m/song.mp3", 10000, "/m/song-10000.mp3"},
        {"/my.music/live.set.mp3", 3, "/my.music/live.set-0003.mp3"},
        {"/m/SONG.MP3", 2, "/m/SONG-0002.MP3"},
        {"/m/.mp3", 1, "/m/-0001.mp3"},
        {"/song.mp3", 1, "/song-0001.mp3"},
        {"song.mp3", 1, "song-0001.mp3"},
        {"/m/back\\slash.mp3", 1, "/m/back\\slash-0001.mp3"},
        {"/my.music/take", 2, "/my.music/take-0002"},
        {"/m/song.", 1, "/m/song-0001."},
    };
    for (const auto& [source, number, piece] : rows) {
        EXPECT_EQ(GetPiecePath(source, number), piece) << source;
    }
}

// A piece's folder for the splitter's private folder: "/" at the root, "." for a name
// without a folder. The program's own folder never ends in "/".
TEST(PiecePaths, Folders) {
    const std::vector<std::pair<const char*, const char*>> outputFolders = {
        {"/m/a/song-0001.mp3", "/m/a"}, {"/song-0001.mp3", "/"}, {"song-0001.mp3", "."}};
    for (const auto& [piece, folder] : outputFolders) {
        EXPECT_EQ(OutputFolderOf(piece), folder) << piece;
    }
    EXPECT_EQ(GetFolderWithoutSlash("/parvane-split"), "");
    EXPECT_EQ(GetFolderWithoutSlash("/usr/bin/parvane-split"), "/usr/bin");
    EXPECT_THROW(GetFolderWithoutSlash("parvane-split"), std::invalid_argument);
}

// Boundaries are whole multiples of a whole-second length, so a stamp's seconds never fall
// on a half and no rounding is left to go wrong; the text is made from integers alone.
struct IntervalRow {
    int seconds;
    const char* label;
    std::vector<const char*> boundaryStamps;  // boundaries 1, 3 and 5000
};

TEST(TimeStamps, IntervalsGiveTheirLabelsAndBoundaries) {
    const std::vector<IntervalRow> rows = {
        {5, " Split Every 0:05", {"0.05", "0.15", "416.40"}},
        {10, " Split Every 0:10", {"0.10", "0.30", "833.20"}},
        {90, " Split Every 1:30", {"1.30", "4.30", "7500.00"}},
        {3600, " Split Every 60:00", {"60.00", "180.00", "300000.00"}},
    };
    for (const IntervalRow& row : rows) {
        EXPECT_EQ(IntervalLabel(row.seconds), row.label);
        EXPECT_EQ(IntervalFromText(IntervalText(row.seconds)), row.seconds);
        const std::vector<std::int64_t> boundaries = {1, 3, 5000};
        for (std::size_t k = 0; k < boundaries.size(); ++k) {
            EXPECT_EQ(StampText(boundaries[k] * row.seconds), row.boundaryStamps[k]) << row.label;
        }
    }
    EXPECT_EQ(StampText(0), "0.00");
    for (const char* wrong : {"0:07", "5", "5:0", "05:00", "", "1:30x"}) {
        EXPECT_EQ(IntervalFromText(wrong), std::nullopt) << wrong;
    }
}

}  // namespace
}  // namespace parvane
