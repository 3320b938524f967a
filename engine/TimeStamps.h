// Interval and time-stamp arithmetic: turns a chooser entry's m:ss into decimal
// minutes and a piece boundary into the splitter's minutes.seconds stamp.
#pragma once

#include <string>
#include <string_view>

namespace parvane {

// Plain decimal, rounded to 15 significant digits, trailing zeros dropped, never an
// exponent, always "." as the decimal mark whatever the process locale says.
std::string NumberText(double value);

// "m:ss" -> decimal minutes written as NumberText ("0:05" -> "0.0833333333333333").
std::string IntervalToMinutes(std::string_view intervalText);

// Decimal minutes -> stamp number whose integer part is minutes and whose two
// decimals are seconds (7.5 -> 7.3).
double MinutesToStamp(double minutes);

// The splitter's "##0.00" text of a stamp number: 0.00, 7.30, 120.00.
std::string FormatStamp(double stamp);

}  // namespace parvane
