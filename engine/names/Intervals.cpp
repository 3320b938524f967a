#include "engine/names/Intervals.h"

#include "engine/names/NumberText.h"

namespace parvane {

std::string IntervalText(int seconds) {
    return MinutesSecondsText(seconds, ':');
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
