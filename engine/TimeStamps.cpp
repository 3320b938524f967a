#include "TimeStamps.h"

namespace parvane {

std::string StampText(std::int64_t seconds) {
    return std::to_string(seconds / 60) + "." + TwoDigits(seconds % 60);
}

std::string TwoDigits(std::int64_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace parvane
