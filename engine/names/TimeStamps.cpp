#include "engine/names/TimeStamps.h"

#include "engine/names/NumberText.h"

namespace parvane {

std::string StampText(std::int64_t seconds) {
    return MinutesSecondsText(seconds, '.');
}

}  // namespace parvane
