#include "cli/StopSignals.h"

#include <poll.h>

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

void IgnoreBrokenPipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

bool StopSignalReceived() {
    return stopReceived != 0;
}

bool OutputClosed(int fd) {
    pollfd probe{fd, 0, 0};
    return ::poll(&probe, 1, 0) == 1 && (probe.revents & POLLERR) != 0;
}

}  // namespace parvane
