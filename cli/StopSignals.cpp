#include "StopSignals.h"

#include <signal.h>

#include <csignal>

namespace parvane {

namespace {

volatile std::sig_atomic_t stopReceived = 0;

void NoteStop(int) { stopReceived = 1; }

}  // namespace

void InstallStopSignals() {
    struct sigaction action {};
    action.sa_handler = NoteStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a wait in progress wakes up at once
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

bool StopSignalReceived() { return stopReceived != 0; }

}  // namespace parvane
