// The splitter's time stamps: a piece boundary in whole seconds becomes mp3splt's
// minutes.seconds (0.00, 7.30, 120.00), whatever the process locale says.
#pragma once

#include <cstdint>
#include <string>

namespace parvane {

// Whole minutes without leading zeros, ".", two digits of seconds, never digit grouping.
std::string StampText(std::int64_t seconds);

}  // namespace parvane
