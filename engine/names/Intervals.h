// The fixed menu of piece lengths that every front end offers, from 5 seconds to 60 minutes.
// A length is a whole number of seconds; the texts a person sees are made from it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace parvane {

inline constexpr std::array<int, 23> kIntervalSeconds = {
    5,       10,      30,      60,      90,      120,     150,     180,
    210,     240,     270,     300,     10 * 60, 15 * 60, 20 * 60, 25 * 60,
    30 * 60, 35 * 60, 40 * 60, 45 * 60, 50 * 60, 55 * 60, 60 * 60,
};

inline constexpr int kDefaultIntervalIndex = 11;  // 5:00

// "m:ss": 0:05, 1:30, 60:00.
std::string IntervalText(int seconds);

// The menu length written exactly as IntervalText writes it, if there is one.
std::optional<int> IntervalFromText(std::string_view text);

}  // namespace parvane
