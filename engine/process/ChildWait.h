// Waiting for a started child while watching for the caller's wish to stop. The way the
// end of a child is noticed differs by platform; the build picks one implementation.
#pragma once

#include <sys/types.h>

#include "engine/process/WaitHooks.h"

namespace parvane {

struct ChildWaitResult {
    enum class Kind { Ended, Stopped, Failed };
    Kind kind = Kind::Ended;
    int value = 0;  // Ended: the wait status; Failed: errno of the wait
};

// Ended once the child has ended and been reaped. Stopped as soon as
// hooks.stopRequested() says so; the child is then still running and unreaped.
ChildWaitResult WaitForChild(pid_t pid, const WaitHooks& hooks);

// The fallback every platform has: asking without blocking, with short sleeps between.
ChildWaitResult WaitForChildByPolling(pid_t pid, const WaitHooks& hooks);

}  // namespace parvane
