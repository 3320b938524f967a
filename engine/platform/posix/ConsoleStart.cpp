#include "engine/process/ConsoleStart.h"

namespace parvane {

// Names are bytes here, handed on as they came.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

// The terminal shows what its locale says; nothing to set up.
void ShowUtf8OnConsole() {}

}  // namespace parvane
