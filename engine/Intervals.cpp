#include "Intervals.h"

namespace parvane {

std::string IntervalOfEntry(std::string_view entry) {
    if (entry.size() <= kIntervalEntryPrefix.size()) {
        return {};
    }
    return std::string(entry.substr(kIntervalEntryPrefix.size()));
}

std::optional<std::string> FindIntervalEntry(std::string_view intervalText) {
    for (const std::string_view entry : kIntervalEntries) {
        if (entry.substr(kIntervalEntryPrefix.size()) == intervalText) {
            return std::string(entry);
        }
    }
    return std::nullopt;
}

}  // namespace parvane
