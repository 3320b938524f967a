#include "engine/process/SignalNames.h"

#include <signal.h>

#include <cstring>

namespace parvane {

std::string SignalName(int signal) {
    return ::strsignal(signal);
}

bool IsSignalNumber(int number) {
    return number > 0 && number < NSIG;
}

}  // namespace parvane
