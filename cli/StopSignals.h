// The stop signals turn into a flag the split job polls, so the running splitter is ended
// and its unfinished piece discarded before the program leaves. A closed output is a stop
// as well (engine/process/BrokenPipes.h).
#pragma once

#include "engine/process/BrokenPipes.h"

namespace parvane {

void InstallStopSignals();
bool StopSignalReceived();

}  // namespace parvane
