// What a console program takes from the system as it starts: its arguments in UTF-8, and a
// console that shows the UTF-8 it writes. The build picks the system's way.
#pragma once

#include <string>
#include <vector>

namespace parvane {

// The arguments after the program's own name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

void ShowUtf8OnConsole();

}  // namespace parvane
