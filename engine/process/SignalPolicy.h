// What both front ends set up once, at start-up on the main thread, before any thread or
// child exists: which signals ask them to stop, and that ended children stay waitable.
// A signal this process was started with ignored stays ignored, as nohup and background
// jobs expect.
#pragma once

#include "engine/process/StopNotice.h"

namespace parvane {

// The notice each stop signal (Ctrl+C, a termination request, a lost terminal) requests from
// then on; a wait that watches it wakes at once. The handlers are installed, with
// SA_RESTART, on the first call. The notice lasts as long as the process, since a signal
// may come while it ends.
StopNotice& StopOnSignals();

// Whoever started us may have ignored SIGCHLD or set SA_NOCLDWAIT; the kernel would then
// reap the splitter itself and its exit status would be lost. SIGCHLD gets its default
// action in that case; a handler of the program's own is left alone.
void KeepChildrenWaitable();

}  // namespace parvane
