#include "engine/process/SignalNames.h"

#include <signal.h>

#include <cstring>

namespace parvane {

// Other systems have no thread-safe form; the words of a report are made on one thread.
std::string SignalName(int signal) {
    return ::strsignal(signal);  // NOLINT(concurrency-mt-unsafe)
}

bool IsSignalNumber(int number) {
    return number > 0 && number < NSIG;
}

}  // namespace parvane
