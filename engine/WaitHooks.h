// What a caller that waits for a child lends the wait: its event handling, and its wish to
// stop early.
#pragma once

#include <functional>

namespace parvane {

struct WaitHooks {
    // Called at least every 100 ms while the child runs, and once before the wait ends.
    std::function<void()> handleEvents;
    // Polled after every handleEvents(); true kills the child and ends the wait.
    std::function<bool()> stopRequested;
};

}  // namespace parvane
