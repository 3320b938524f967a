#include "engine/process/SignalNames.h"

#include "engine/names/NumberText.h"

namespace parvane {

// No signal ends a program on Windows; a program that is ended gets an exit code.
std::string SignalName(int signal) {
    return "signal " + NumberText(signal);
}

bool IsSignalNumber(int) {
    return false;
}

}  // namespace parvane
