#include "app/StopSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include "engine/process/SignalPolicy.h"

namespace parvane {

// The handler requests the notice, whose descriptor the window hears of in its event loop,
// also inside the waits of a running job. Only this thread waits on the notice, so it takes
// the request back once heard: a window opened later in the same process starts unasked.
void CloseOnStopSignals(QWidget& window) {
    StopNotice& signalled = StopOnSignals();
    auto* notifier = new QSocketNotifier(signalled.Handle(), QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, &signalled] {
        signalled.Reset();
        window.close();
    });
}

}  // namespace parvane
