// Ctrl+C, a termination request or a lost terminal close the window the way its close
// button does, so a running job still cuts its splitter off and discards the unfinished
// piece before the program ends. Without this the signal would end the program on the
// spot and leave the splitter's private file behind.
#pragma once

class QWidget;

namespace parvane {

void CloseOnStopSignals(QWidget& window);

}  // namespace parvane
