// Lets a long loop on the window's thread hand control to the window's event handling at a
// steady pace, and notice when the window asks it to end early.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace parvane {

inline constexpr std::chrono::milliseconds kEventInterval{50};

class EventPacer {
public:
    EventPacer(std::function<void()> handleEvents, std::function<bool()> stopRequested,
               std::chrono::milliseconds interval = kEventInterval);

    // Cheap enough to call for every item of a loop: looks at the clock only now and then.
    void Step();
    // Handles events when the interval has passed since they were last handled.
    void Checkpoint();
    void HandleNow();
    // Once true, stays true and no more events are handled.
    bool Stopped() const { return stopped_; }

private:
    bool CheckStop();

    std::function<void()> handleEvents_;
    std::function<bool()> stopRequested_;
    std::chrono::steady_clock::duration interval_;
    std::chrono::steady_clock::time_point lastHandled_;
    std::uint32_t steps_ = 0;
    bool stopped_ = false;
};

}  // namespace parvane
