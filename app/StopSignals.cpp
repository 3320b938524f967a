#include "app/StopSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include "engine/process/SignalPolicy.h"

namespace parvane {

// The handler requests the notice, whose descriptor the window hears of in its event loop,
// also inside the waits of a running job. The window always closes, so one hearing is
// enough; the notice stays requested and the notifier is put to rest.
void CloseOnStopSignals(QWidget& window) {
    const StopNotice& signalled = StopOnSignals();
    auto* notifier = new QSocketNotifier(signalled.Descriptor(), QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
        notifier->setEnabled(false);
        window.close();
    });
}

}  // namespace parvane
