#include "engine/process/BrokenPipes.h"

#include <poll.h>

#include <csignal>

namespace parvane {

void IgnoreBrokenPipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

bool OutputClosed(int fd) {
    pollfd probe{fd, 0, 0};
    return ::poll(&probe, 1, 0) == 1 && (probe.revents & POLLERR) != 0;
}

}  // namespace parvane
