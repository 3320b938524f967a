#include "engine/process/SignalNames.h"

#include <signal.h>

#include <cstring>

#include "engine/names/NumberText.h"

namespace parvane {

// glibc's sigdescr_np gives strsignal's words from a constant table, so two threads may
// ask at once; a number it does not know is named as strsignal names it.
std::string SignalName(int signal) {
    if (const char* description = ::sigdescr_np(signal)) return description;
    return "Unknown signal " + NumberText(signal);
}

bool IsSignalNumber(int number) {
    return number > 0 && number < NSIG;
}

}  // namespace parvane
