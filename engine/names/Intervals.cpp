#include "engine/names/Intervals.h"

#include "engine/names/TimeStamps.h"

namespace parvane {

std::string IntervalText(int seconds) {
    return std::to_string(seconds / 60) + ":" + TwoDigits(seconds % 60);
}

std::optional<int> IntervalFromText(std::string_view text) {
    for (const int seconds : kIntervalSeconds) {
        if (IntervalText(seconds) == text) {
            return seconds;
        }
    }
    return std::nullopt;
}

}  // namespace parvane
