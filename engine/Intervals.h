// The fixed menu of piece lengths that every front end offers, from 5 seconds to 60 minutes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace parvane {

inline constexpr std::string_view kIntervalEntryPrefix = " Split Every ";

inline constexpr std::array<std::string_view, 23> kIntervalEntries = {
    " Split Every 0:05",  " Split Every 0:10",  " Split Every 0:30",  " Split Every 1:00",
    " Split Every 1:30",  " Split Every 2:00",  " Split Every 2:30",  " Split Every 3:00",
    " Split Every 3:30",  " Split Every 4:00",  " Split Every 4:30",  " Split Every 5:00",
    " Split Every 10:00", " Split Every 15:00", " Split Every 20:00", " Split Every 25:00",
    " Split Every 30:00", " Split Every 35:00", " Split Every 40:00", " Split Every 45:00",
    " Split Every 50:00", " Split Every 55:00", " Split Every 60:00",
};

inline constexpr int kDefaultIntervalIndex = 11;  // " Split Every 5:00"

// The m:ss part of an entry, from its 14th character on; empty for a shorter text.
std::string IntervalOfEntry(std::string_view entry);

// The menu entry whose interval is exactly intervalText ("1:30"), if there is one.
std::optional<std::string> FindIntervalEntry(std::string_view intervalText);

}  // namespace parvane
