#include "cli/StopSignals.h"

#include <csignal>

#include "engine/process/SignalPolicy.h"

namespace parvane {

namespace {

volatile std::sig_atomic_t stopReceived = 0;

void NoteStop(int) {
    stopReceived = 1;
}

}  // namespace

void InstallStopSignals() {
    CatchStopSignals(NoteStop);
}

bool StopSignalReceived() {
    return stopReceived != 0;
}

}  // namespace parvane
