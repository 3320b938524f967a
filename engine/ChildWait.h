// Waiting for a started child while the caller keeps handling its events. The way the
// end of a child is noticed differs by platform; the build picks one implementation.
#pragma once

#include <sys/types.h>

#include <optional>

#include "ProcessRunner.h"

namespace parvane {

// Returns the child's wait status once it has ended and been reaped, or nullopt as soon
// as hooks.stopRequested() says so; the child is then still running and unreaped.
std::optional<int> WaitForChild(pid_t pid, const WaitHooks& hooks);

// The fallback every platform has: asking without blocking, with short sleeps between.
std::optional<int> WaitForChildByPolling(pid_t pid, const WaitHooks& hooks);

}  // namespace parvane
