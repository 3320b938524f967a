// The signals that ask either front end to stop (Ctrl+C, a termination request, a lost
// terminal), and the rule both follow: a signal this process was started with ignored
// stays ignored, as nohup and background jobs expect.
#pragma once

namespace parvane {

// Installs handler for each stop signal that is not ignored. restartCalls chooses
// SA_RESTART: without it a wait in progress wakes at once.
void CatchStopSignals(void (*handler)(int), bool restartCalls);

}  // namespace parvane
