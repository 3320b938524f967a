// What both front ends set up once, at start-up on the main thread, before any thread or
// child exists: which signals ask them to stop, and that ended children stay waitable.
// A signal this process was started with ignored stays ignored, as nohup and background
// jobs expect.
#pragma once

namespace parvane {

// Installs handler, with SA_RESTART, for each stop signal (Ctrl+C, a termination request,
// a lost terminal) that is not ignored. The handler must keep errno as it found it.
void CatchStopSignals(void (*handler)(int));

// Whoever started us may have ignored SIGCHLD or set SA_NOCLDWAIT; the kernel would then
// reap the splitter itself and its exit status would be lost. SIGCHLD gets its default
// action in that case; a handler of the program's own is left alone.
void KeepChildrenWaitable();

}  // namespace parvane
