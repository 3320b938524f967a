// What a caller that waits for a child lends the wait: its wish to stop early.
#pragma once

#include <functional>

namespace parvane {

struct WaitHooks {
    // Asked every few milliseconds while the child runs, from the waiting thread; true
    // ends the wait with the child cut off.
    std::function<bool()> stopRequested;
};

}  // namespace parvane
