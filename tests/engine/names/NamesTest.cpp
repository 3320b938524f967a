// Names of pieces, the time stamps the splitter is given for a piece's bounds, and the
// texts of numbers.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <tuple>
#include <vector>

#include "engine/names/NumberText.h"
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

// mp3splt reads "minutes.seconds": whole minutes without leading zeros, past an hour as well.
TEST(TimeStamps, PieceBoundsAreMinutesAndSeconds) {
    const std::vector<std::pair<std::int64_t, const char*>> rows = {
        {0, "0.00"},
        {5, "0.05"},
        {60, "1.00"},
        {65, "1.05"},
        {270, "4.30"},
        {25000, "416.40"},
        {2147483647LL * 3600, "128849018820.00"},
    };
    for (const auto& [seconds, stamp] : rows) EXPECT_EQ(StampText(seconds), stamp) << seconds;
}

// Every number text is the same under a locale with a decimal comma and digit grouping.
TEST(NumberText, ADecimalCommaLocaleChangesNothing) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    }
    const std::vector<std::string> texts = {StampText(65), HundredthsText(22.05),
                                            NumberText(1234567), ZeroPad(12, 4)};
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(texts, (std::vector<std::string>{"1.05", "22.05", "1234567", "0012"}));
}

}  // namespace
}  // namespace parvane
