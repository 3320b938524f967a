// What a caller that waits for a child lends the wait: what ends it before the child does.
#pragma once

#include <functional>

namespace parvane {

class StopNotice;

struct WaitHooks {
    // The wait wakes the moment it is requested. Null: only the child's end ends the wait.
    const StopNotice* stop = nullptr;
    // An output whose reader going away (a pipe after `| head`) ends the wait as a stop
    // does; -1 for none.
    int output = -1;
    // Asked between the reads of long work on files (a measure, a check), where nothing
    // sleeps; true ends that work as a stop does.
    std::function<bool()> stopRequested;
};

}  // namespace parvane
