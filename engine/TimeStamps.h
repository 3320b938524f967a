// The splitter's time stamps: whole minutes, ".", two digits of seconds (0.00, 7.30,
// 120.00). Piece boundaries are whole seconds, so the text is made from integers and
// never depends on the locale or on floating-point rounding.
#pragma once

#include <cstdint>
#include <string>

namespace parvane {

// Stamp of a boundary that lies `seconds` into the source.
std::string StampText(std::int64_t seconds);

// 0..99 with a leading zero below 10.
std::string TwoDigits(std::int64_t value);

}  // namespace parvane
