#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

#include "engine/process/StopNotice.h"

namespace parvane {

namespace {

void SetFlags(int fd) {
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

// The self-pipe: a byte written to one end makes the other readable. Neither end blocks,
// so neither a full pipe nor an empty one can hold up a signal handler or a drain.
StopNotice::StopNotice() {
    std::array<int, 2> ends{};
    if (::pipe(ends.data()) != 0) {
        throw std::system_error(errno, std::generic_category(), "stop notice");
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    SetFlags(readEnd_);
    SetFlags(writeEnd_);
}

StopNotice::~StopNotice() {
    ::close(readEnd_);
    ::close(writeEnd_);
}

void StopNotice::MakeReadable() const noexcept {
    const char one = 1;
    [[maybe_unused]] const ssize_t written = ::write(writeEnd_, &one, 1);
}

void StopNotice::Drain() const noexcept {
    std::array<char, 16> bytes{};
    while (::read(readEnd_, bytes.data(), bytes.size()) > 0) {
    }
}

}  // namespace parvane
