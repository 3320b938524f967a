#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "engine/process/StopNotice.h"

namespace parvane {

// One descriptor serves both ends, and its counter cannot fill as a pipe can.
StopNotice::StopNotice() : readEnd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), writeEnd_(readEnd_) {
    if (readEnd_ < 0) {
        throw std::system_error(errno, std::generic_category(), "stop notice");
    }
}

StopNotice::~StopNotice() {
    ::close(readEnd_);
}

void StopNotice::MakeReadable() const noexcept {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(writeEnd_, &one, sizeof one);
}

// Reading an eventfd empties its counter.
void StopNotice::Drain() const noexcept {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = ::read(readEnd_, &count, sizeof count);
}

}  // namespace parvane
