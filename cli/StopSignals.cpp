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
    // A closed terminal ends the program just as surely, and would otherwise leave the
    // splitter's unfinished output behind. Under nohup the hang-up stays ignored.
    struct sigaction hangUp {};
    if (::sigaction(SIGHUP, nullptr, &hangUp) == 0 && hangUp.sa_handler != SIG_IGN) {
        ::sigaction(SIGHUP, &action, nullptr);
    }
}

bool StopSignalReceived() { return stopReceived != 0; }

}  // namespace parvane
