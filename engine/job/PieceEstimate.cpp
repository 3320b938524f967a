#include "engine/job/PieceEstimate.h"

#include <cmath>
#include <limits>

namespace parvane {

std::optional<std::int64_t> EstimatePieceLimit(std::int64_t sourceSize, std::int64_t pieceSize) {
    if (sourceSize == 0 || pieceSize == 0) {
        return std::nullopt;
    }
    const double ratio = static_cast<double>(pieceSize) / static_cast<double>(sourceSize);
    // nearbyint rounds halves to the even neighbour under the default rounding mode.
    const double limit = std::nearbyint(1.0 / ratio + 3.0);
    constexpr double kLargest = 9.0e18;  // below the 64-bit maximum, far above any real count
    if (limit >= kLargest) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<std::int64_t>(limit);
}

}  // namespace parvane
