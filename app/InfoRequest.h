// `parvane --help` and `parvane --version`: answered before the window program needs a
// display, so they work over ssh and when the build makes the manual page from them.
#pragma once

#include <optional>
#include <string>

namespace parvane {

// The text to print instead of opening the window, when an argument before "--" asks for it.
std::optional<std::string> InfoRequestAnswer(int argc, const char* const* argv);

}  // namespace parvane
