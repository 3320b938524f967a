#include "EventPacer.h"

#include <utility>

namespace parvane {
namespace {

// A few hundred directory entries take well under a millisecond to read.
constexpr std::uint32_t kStepsPerClockRead = 256;

}  // namespace

EventPacer::EventPacer(std::function<void()> handleEvents, std::function<bool()> stopRequested,
                       std::chrono::milliseconds interval)
    : handleEvents_(std::move(handleEvents)),
      stopRequested_(std::move(stopRequested)),
      interval_(interval),
      lastHandled_(std::chrono::steady_clock::now()) {}

void EventPacer::Step() {
    if (++steps_ % kStepsPerClockRead == 0) Checkpoint();
}

void EventPacer::Checkpoint() {
    if (std::chrono::steady_clock::now() - lastHandled_ >= interval_) HandleNow();
}

void EventPacer::HandleNow() {
    if (CheckStop()) return;
    if (handleEvents_) handleEvents_();
    // Measured after the handlers ran: what counts is how long the window goes unserved.
    lastHandled_ = std::chrono::steady_clock::now();
    CheckStop();
}

bool EventPacer::CheckStop() {
    if (!stopped_ && stopRequested_ && stopRequested_()) stopped_ = true;
    return stopped_;
}

}  // namespace parvane
