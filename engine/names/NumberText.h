// Every number the program writes as text: piece numbers (0012), time stamps (7.30),
// lengths (5:00), counts, byte counts, sample rates (22.05). Made with std::to_chars, so the
// digits and the decimal mark are the same under every locale.
#pragma once

#include <cstdint>
#include <string>

namespace parvane {

// Decimal digits, "-" in front of a negative number.
std::string NumberText(std::int64_t value);

// At least `width` digits in `base`, zeros in front (0012); a number with more digits keeps
// them all.
std::string ZeroPad(std::int64_t number, int width, int base = 10);

// Whole seconds as whole minutes, the mark and two digits of seconds: 0:05, 7.30, 120:00.
std::string MinutesSecondsText(std::int64_t seconds, char mark);

// Rounded to hundredths, halves away from zero, without trailing zeros after the point nor
// a point with no digit after it: 7.21, 22.05, 44.1, 5.
std::string HundredthsText(double value);

}  // namespace parvane
