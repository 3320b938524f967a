#include "app/StopSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "engine/process/SignalPolicy.h"

namespace parvane {

namespace {

// The handler may only write to a pipe; the window hears of it in its event loop, also
// inside the waits of a running job.
std::array<int, 2> wakeUp = {-1, -1};

void NoteStop(int) {
    const int interrupted = errno;  // whatever the handler interrupted may still read it
    const char signalled = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &signalled, 1);
    errno = interrupted;
}

}  // namespace

void CloseOnStopSignals(QWidget& window) {
    if (wakeUp[0] < 0 && ::pipe2(wakeUp.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        std::array<char, 16> drained{};
        while (::read(wakeUp[0], drained.data(), drained.size()) > 0) {
        }
        window.close();
    });
    CatchStopSignals(NoteStop);
}

}  // namespace parvane
