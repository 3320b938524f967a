#include "engine/process/StopNotice.h"

#include <cerrno>

namespace parvane {

// Only the first request writes, so a self-pipe can never fill however often it is asked.
void StopNotice::Request() noexcept {
    if (!requested_.exchange(true)) {
        const int interrupted = errno;  // whatever a signal handler interrupted may still read it
        MakeReadable();
        errno = interrupted;
    }
}

void StopNotice::Reset() noexcept {
    Drain();
    requested_.store(false);
}

}  // namespace parvane
