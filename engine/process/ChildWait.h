// Waiting for a started child while watching for the caller's wish to stop. One poll()
// sleeps on the stop notice, the watched output and, where the system has one, a
// descriptor that turns readable when the child ends, so the waiting thread wakes only when
// something happened. How that descriptor is made differs by platform; the build picks it.
#pragma once

#include <sys/types.h>

#include <chrono>

#include "engine/process/WaitHooks.h"

namespace parvane {

struct ChildWaitResult {
    enum class Kind { Ended, Stopped, Failed };
    Kind kind = Kind::Ended;
    int value = 0;  // Ended: the wait status; Failed: errno of the wait
};

// A descriptor that turns readable once the child has ended, or -1 where the system (or an
// older kernel) has none. The caller closes it.
int OpenChildEndDescriptor(pid_t pid);

// Ended once the child has ended and been reaped. Stopped as soon as hooks.stop is
// requested or the reader of hooks.output is gone; the child is then still running and
// unreaped. When both come at once the child's end wins. Without an end descriptor (-1) the
// child is asked after between naps of 2 ms; a stop still wakes the wait at once.
ChildWaitResult WaitForChild(pid_t pid, int endDescriptor, const WaitHooks& hooks);

// True once the child has ended, false when limit passed first. The child is left unreaped,
// so its process ID, which names its group, cannot pass to another process meanwhile.
bool ChildEndsWithin(pid_t pid, int endDescriptor, std::chrono::milliseconds limit);

}  // namespace parvane
