// Starting one child process from an argument vector (never through a shell) and
// waiting for it while the caller's window keeps handling its events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace parvane {

// Added to errno when a program cannot be started at all.
inline constexpr std::int32_t kStartFailureBase = static_cast<std::int32_t>(0x80040000u);

// True when a result of RunAndWait means the program could not be started.
constexpr bool IsStartFailure(std::int32_t result) {
    return result >= kStartFailureBase && result < kStartFailureBase + 0x10000;
}

// Window styles 0..6; anything else means 6. Style 0 runs the child silently: its
// standard input, output and error are /dev/null.
inline constexpr int kStyleHidden = 0;
inline constexpr int kStyleDefault = 6;

struct WaitHooks {
    // Called at least every 100 ms while the child runs, and once before the wait ends.
    std::function<void()> handleEvents;
    // Polled after every handleEvents(); true kills the child and ends the wait.
    std::function<bool()> stopRequested;
};

// Returns the child's exit code, kStartFailureBase + errno when it could not be
// started (at once, without waiting), or -1 when it died of a signal or was stopped.
std::int32_t RunAndWait(const std::vector<std::string>& argv, int windowStyle,
                        const WaitHooks& hooks);

// Replaceable so tests and benchmarks can count or stand in for runs.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    virtual std::int32_t Run(const std::vector<std::string>& argv, int windowStyle,
                             const WaitHooks& hooks) = 0;
};

class RealProcessRunner final : public ProcessRunner {
public:
    std::int32_t Run(const std::vector<std::string>& argv, int windowStyle,
                     const WaitHooks& hooks) override {
        return RunAndWait(argv, windowStyle, hooks);
    }
};

}  // namespace parvane
