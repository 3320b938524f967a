// The stop signals turn into a flag the split job polls, so the
// running splitter is ended and its unfinished piece discarded before the program leaves.
#pragma once

namespace parvane {

void InstallStopSignals();
bool StopSignalReceived();

}  // namespace parvane
