#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Intervals.h"
#include "TimeStamps.h"

namespace parvane {
namespace {

struct IntervalRow {
    int seconds;
    const char* label;
    std::vector<const char*> boundaryStamps;  // boundaries 0, 1, 2, 3 and 5000
};

TEST(TimeStamps, IntervalsGiveTheirLabelsAndBoundaries) {
    const std::vector<IntervalRow> rows = {
        {5, " Split Every 0:05", {"0.00", "0.05", "0.10", "0.15", "416.40"}},
        {10, " Split Every 0:10", {"0.00", "0.10", "0.20", "0.30", "833.20"}},
        {30, " Split Every 0:30", {"0.00", "0.30", "1.00", "1.30", "2500.00"}},
        {90, " Split Every 1:30", {"0.00", "1.30", "3.00", "4.30", "7500.00"}},
        {270, " Split Every 4:30", {"0.00", "4.30", "9.00", "13.30", "22500.00"}},
        {3600, " Split Every 60:00", {"0.00", "60.00", "120.00", "180.00", "300000.00"}},
    };
    for (const IntervalRow& row : rows) {
        EXPECT_EQ(IntervalLabel(row.seconds), row.label);
        EXPECT_EQ(IntervalFromText(IntervalText(row.seconds)), row.seconds);
        const std::vector<std::int64_t> boundaries = {0, 1, 2, 3, 5000};
        for (std::size_t k = 0; k < boundaries.size(); ++k) {
            EXPECT_EQ(StampText(boundaries[k] * row.seconds), row.boundaryStamps[k])
                << row.label << " boundary " << boundaries[k];
        }
    }
    for (const char* wrong : {"0:07", "5", "5:0", "05:00", "", "1:30x"}) {
        EXPECT_EQ(IntervalFromText(wrong), std::nullopt) << wrong;
    }
}

}  // namespace
}  // namespace parvane
