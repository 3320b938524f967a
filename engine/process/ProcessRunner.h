// Starting one child process from an argument vector (never through a shell) and
// waiting for it, or cutting it off when the caller asks for a stop.
#pragma once

#include <string>
#include <vector>

#include "engine/process/WaitHooks.h"

namespace parvane {

// How a run ended. `code` is the exit code, the errno of a failed start or wait, or the
// signal that killed the child.
struct RunResult {
    enum class Ending { Exited, CouldNotStart, KilledBySignal, StoppedByUs, WaitFailed };
    Ending ending = Ending::Exited;
    int code = 0;
    std::string errorTail;  // the end of what a hidden child wrote to its standard error

    bool Succeeded() const { return ending == Ending::Exited && code == 0; }
};

// The child runs hidden: its input and output are the null device and its standard error is kept
// for the result. Returns at once when the program cannot be started. A stop ends the child
// and everything it started. The exit status is the child's own once KeepChildrenWaitable
// has run at start-up.
RunResult RunAndWait(const std::vector<std::string>& argv, const WaitHooks& hooks);

// Replaceable so tests and benchmarks can count or stand in for runs.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    virtual RunResult Run(const std::vector<std::string>& argv, const WaitHooks& hooks) = 0;
};

class RealProcessRunner final : public ProcessRunner {
public:
    RunResult Run(const std::vector<std::string>& argv, const WaitHooks& hooks) override {
        return RunAndWait(argv, hooks);
    }
};

}  // namespace parvane
