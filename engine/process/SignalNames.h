// Signals as the system numbers and names them, for the report of a splitter one ended.
#pragma once

#include <string>

namespace parvane {

// The system's own words for the signal ("Killed", "Segmentation fault").
std::string SignalName(int signal);

// True when number can be a signal's on this system.
bool IsSignalNumber(int number);

}  // namespace parvane
