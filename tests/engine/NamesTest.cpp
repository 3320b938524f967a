// Names of pieces and their folders, and the time stamps made from a length.
#include <gtest/gtest.h>

#include <clocale>
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

struct IntervalRow {
    int seconds;
    std::vector<const char*> boundaryStamps;  // boundaries 0, 1, 2, 3, 12, 13 and 5000
};

std::vector<std::string> BoundaryStamps(int seconds) {
    std::vector<std::string> stamps;
    for (const double k : {0.0, 1.0, 2.0, 3.0, 12.0, 13.0, 5000.0}) {
        stamps.push_back(FormatStamp(MinutesToStamp(k * IntervalToMinutes(seconds))));
    }
    return stamps;
}

TEST(TimeStamps, IntervalsGiveTheirBoundaries) {
    const std::vector<IntervalRow> rows = {
        {5, {"0.00", "0.05", "0.10", "0.15", "1.00", "1.05", "416.40"}},
        {10, {"0.00", "0.10", "0.20", "0.30", "2.00", "2.10", "833.20"}},
        {30, {"0.00", "0.30", "1.00", "1.30", "6.00", "6.30", "2500.00"}},
        {90, {"0.00", "1.30", "3.00", "4.30", "18.00", "19.30", "7500.00"}},
        {270,
         {"0.00", "4.30", "9.00", "13.30", "54.00", "58.30", "22500.00"}},
        {3600,
         {"0.00", "60.00", "120.00", "180.00", "720.00", "780.00", "300000.00"}},
    };
    for (const IntervalRow& row : rows) {
        EXPECT_EQ(IntervalFromText(IntervalText(row.seconds)), row.seconds);
        EXPECT_EQ(BoundaryStamps(row.seconds),
                  std::vector<std::string>(row.boundaryStamps.begin(), row.boundaryStamps.end()))
            << row.seconds;
    }
    for (const char* wrong : {"0:07", "5", "5:0", "05:00", "", "1:30x"}) {
        EXPECT_EQ(IntervalFromText(wrong), std::nullopt) << wrong;
    }
}

// Seconds that fall on a half go to the even neighbour; number texts keep 15 digits.
TEST(TimeStamps, RoundingOfSecondsAndNumberTexts) {
    const std::vector<std::pair<double, const char*>> stamps = {
        {7.125, "7.08"}, {7.375, "7.22"}, {7.625, "7.38"}, {7.875, "7.52"}, {7.5, "7.30"},
        {0.0, "0.00"},   {120.0, "120.00"}};
    for (const auto& [minutes, text] : stamps) {
        EXPECT_EQ(FormatStamp(MinutesToStamp(minutes)), text) << minutes;
    }
    EXPECT_EQ(NumberText(IntervalToMinutes(5)), "0.0833333333333333");
    EXPECT_EQ(NumberText(IntervalToMinutes(10)), "0.166666666666667");
    EXPECT_EQ(NumberText(12 * IntervalToMinutes(5)), "1");
    EXPECT_EQ(NumberText(1e20), "100000000000000000000");
}

TEST(TimeStamps, ADecimalCommaLocaleChangesNothing) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    }
    const std::string stamp = FormatStamp(MinutesToStamp(7.5));
    const std::string number = NumberText(1.5);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(stamp, "7.30");
    EXPECT_EQ(number, "1.5");
}

}  // namespace
}  // namespace parvane
