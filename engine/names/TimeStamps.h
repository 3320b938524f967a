// Interval and time-stamp arithmetic: a piece boundary in decimal minutes becomes the
// splitter's minutes.seconds stamp (0.00, 7.30, 120.00), whatever the process locale says.
#pragma once

#include <cstdint>
#include <string>

namespace parvane {

// Plain decimal, rounded to 15 significant digits, trailing zeros dropped, never an
// exponent, always "." as the decimal mark.
std::string NumberText(double value);

// A length in decimal minutes, as its number text reads (5 -> 0.0833333333333333).
double IntervalToMinutes(int seconds);

// Decimal minutes -> stamp number whose integer part is minutes and whose two decimals are
// seconds (7.5 -> 7.3). The seconds are rounded, halves to the even neighbour, which absorbs
// the noise of multiplying an interval by a piece index.
double MinutesToStamp(double minutes);

// The splitter's "##0.00" text of a stamp number.
std::string FormatStamp(double stamp);

// 0..99 with a leading zero below 10.
std::string TwoDigits(std::int64_t value);

}  // namespace parvane
