// Requesting a stop notice from a thread of its own once something has happened, as a user
// pressing Stop would, for tests of waits that sleep until then.
#pragma once

#include <chrono>
#include <functional>
#include <stop_token>
#include <thread>
#include <utility>

#include "engine/process/StopNotice.h"

namespace parvane::testing {

// Looks at condition every 10 ms and requests the notice once it holds; gives up when
// destroyed first.
class RequestStopWhen {
public:
    RequestStopWhen(StopNotice& notice, std::function<bool()> condition)
        : thread_([&notice, condition = std::move(condition)](const std::stop_token& ending) {
              while (!ending.stop_requested()) {
                  if (condition()) {
                      notice.Request();
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
              }
          }) {}

private:
    std::jthread thread_;
};

// The notice is requested once after has passed.
inline std::function<bool()> After(std::chrono::milliseconds after) {
    return [deadline = std::chrono::steady_clock::now() + after] {
        return std::chrono::steady_clock::now() >= deadline;
    };
}

}  // namespace parvane::testing
