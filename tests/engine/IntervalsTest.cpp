#include <gtest/gtest.h>

#include "Intervals.h"
#include "TimeStamps.h"

namespace parvane {
namespace {

TEST(Intervals, MenuHoldsTwentyThreeEntriesFromFiveSecondsToAnHour) {
    ASSERT_EQ(kIntervalEntries.size(), 23u);
    EXPECT_EQ(kIntervalEntries.front(), " Split Every 0:05");
    EXPECT_EQ(kIntervalEntries.back(), " Split Every 60:00");
    EXPECT_EQ(kIntervalEntries[kDefaultIntervalIndex], " Split Every 5:00");
    double previous = 0.0;
    for (const std::string_view entry : kIntervalEntries) {
        const double minutes = std::stod(IntervalToMinutes(IntervalOfEntry(entry)));
        EXPECT_GT(minutes, previous) << entry;
        previous = minutes;
    }
}

TEST(Intervals, EntryLookup) {
    EXPECT_EQ(IntervalOfEntry(" Split Every 1:30"), "1:30");
    EXPECT_EQ(IntervalOfEntry(" Split Every "), "");
    EXPECT_EQ(IntervalOfEntry(""), "");
    EXPECT_EQ(FindIntervalEntry("0:05"), " Split Every 0:05");
    EXPECT_EQ(FindIntervalEntry("60:00"), " Split Every 60:00");
    EXPECT_FALSE(FindIntervalEntry("0:07").has_value());
    EXPECT_FALSE(FindIntervalEntry("5:0").has_value());
    EXPECT_FALSE(FindIntervalEntry("").has_value());
}

}  // namespace
}  // namespace parvane
