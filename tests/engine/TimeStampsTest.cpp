#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <locale>
#include <string>
#include <vector>

#include "TimeStamps.h"

namespace parvane {
namespace {

struct IntervalRow {
    const char* interval;
    const char* minutes;
    std::vector<const char*> boundaryStamps;
};

TEST(TimeStamps, MenuIntervalsGiveTheirMinutesAndFirstBoundaries) {
    const std::vector<IntervalRow> rows = {
        {"0:05", "0.0833333333333333", {"0.00", "0.05", "0.10", "0.15"}},
        {"0:10", "0.166666666666667", {"0.00", "0.10", "0.20", "0.30"}},
        {"0:30", "0.5", {"0.00", "0.30", "1.00", "1.30"}},
        {"1:30", "1.5", {"0.00", "1.30", "3.00", "4.30"}},
        {"5:00", "5", {"0.00", "5.00", "10.00", "15.00"}},
        {"60:00", "60", {"0.00", "60.00", "120.00", "180.00"}},
    };
    for (const IntervalRow& row : rows) {
        const std::string minutes = IntervalToMinutes(row.interval);
        EXPECT_EQ(minutes, row.minutes) << row.interval;
        for (std::size_t j = 0; j < row.boundaryStamps.size(); ++j) {
            EXPECT_EQ(FormatStamp(MinutesToStamp(static_cast<double>(j) * std::stod(minutes))),
                      row.boundaryStamps[j])
                << row.interval << " boundary " << j;
        }
    }
}

TEST(TimeStamps, SingleValuesOfMinutesToStamp) {
    const std::vector<std::pair<double, const char*>> cases = {
        {10.25, "10.15"},
        {1.08333333333333, "1.05"},
        {599.916666666666, "599.55"},
        {59.99999999999998, "60.00"},
        {12 * 0.0833333333333333, "1.00"},
        {13 * 0.0833333333333333, "1.05"},
        {12345.5, "12345.30"},
    };
    for (const auto& [minutes, stamp] : cases) {
        EXPECT_EQ(FormatStamp(MinutesToStamp(minutes)), stamp) << minutes;
    }
    EXPECT_DOUBLE_EQ(MinutesToStamp(7.5), 7.3);
}

TEST(TimeStamps, NumberTextIsPlainDecimalWithFifteenDigits) {
    const std::vector<std::pair<double, const char*>> cases = {
        {1.0 / 12.0, "0.0833333333333333"},
        {0.9999999999999996, "1"},
        {-0.0, "0"},
        {1e20, "100000000000000000000"},
        {1.5e-7, "0.00000015"},
        {123456789012345678.0, "123456789012346000"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(NumberText(value), text);
    }
    EXPECT_EQ(IntervalToMinutes("05:05"), IntervalToMinutes("5:05"));
    EXPECT_EQ(IntervalToMinutes("7"), "7");
    EXPECT_EQ(IntervalToMinutes("x:y"), "0");
}

TEST(TimeStamps, DecimalPointUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (comma == nullptr && std::setlocale(LC_ALL, name) != nullptr) comma = name;
    }
    if (comma == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::locale previousGlobal = std::locale::global(std::locale(comma));
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    EXPECT_STREQ(probe, "0,5") << "the locale should write a decimal comma";

    EXPECT_EQ(IntervalToMinutes("0:05"), "0.0833333333333333");
    EXPECT_EQ(IntervalToMinutes("1:30"), "1.5");
    EXPECT_EQ(FormatStamp(MinutesToStamp(13 * 0.0833333333333333)), "1.05");

    std::locale::global(previousGlobal);
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
}  // namespace parvane
