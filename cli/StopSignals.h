// The stop signals turn into a flag the split job polls, so the running splitter is ended
// and its unfinished piece discarded before the program leaves. A closed output (the
// reader of a pipe gone, as after `| head`) is a stop as well, told by a failed write or
// by OutputClosed rather than by SIGPIPE, which would end the program on the spot.
#pragma once

namespace parvane {

void InstallStopSignals();
bool StopSignalReceived();

// A write to a closed output then fails instead of ending the program; the splitter gets
// SIGPIPE back with its default action.
void IgnoreBrokenPipes();

// True when fd is a pipe whose reading end has been closed.
bool OutputClosed(int fd);

}  // namespace parvane
