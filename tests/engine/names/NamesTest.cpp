// Names of pieces, and the time stamps the splitter is given for a piece's bounds.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <tuple>
#include <vector>

#include "engine/names/Intervals.h"
#include "engine/names/PiecePaths.h"
#include "engine/names/TimeStamps.h"

namespace parvane {
namespace {

// A name without any "." is all base name, and its pieces get no extension.
TEST(PiecePaths, PiecesAreNamedAfterTheirSource) {
    const std::vector<std::tuple<const char*, int, const char*>> rows = {
        {"/m/song.mp3", 12, "/m/song-0012.mp3"},
        {"/my.music/live.set.mp3", 3, "/my.music/live.set-0003.mp3"},
        {"/m/.mp3", 1, "/m/-0001.mp3"},
        {"/song.mp3", 1, "/song-0001.mp3"},
        {"/my.music/take", 2, "/my.music/take-0002"},
        {"/m/song.", 1, "/m/song-0001."},
    };
    for (const auto& [source, number, piece] : rows) {
        EXPECT_EQ(GetPiecePath(source, number), piece) << source;
    }
}

std::string Boundary(double k, int seconds) {
    return FormatStamp(MinutesToStamp(k * IntervalToMinutes(seconds)));
}

// mp3splt reads "minutes.seconds": piece k + 1 starts at k intervals, whole seconds even
// where an interval is no whole number of hundredths of a minute, past an hour as well.
TEST(TimeStamps, PieceBoundsAreWholeSeconds) {
    const std::vector<std::tuple<double, int, const char*>> rows = {
        {1, 5, "0.05"},      {12, 5, "1.00"},    {13, 5, "1.05"},
        {5000, 5, "416.40"}, {3, 10, "0.30"},    {13, 10, "2.10"},
        {3, 90, "4.30"},     {13, 270, "58.30"}, {5000, 3600, "300000.00"},
        {0, 30, "0.00"},
    };
    for (const auto& [k, seconds, stamp] : rows) EXPECT_EQ(Boundary(k, seconds), stamp) << k;
}

TEST(TimeStamps, ADecimalCommaLocaleChangesNothing) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    }
    const std::string stamp = Boundary(13, 5);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(stamp, "1.05");
}

}  // namespace
}  // namespace parvane
