// Names on a terminal, one per line whatever they hold: control characters, stray bytes and
// the backslash itself are written as C escapes, in the manner of `ls -b` ("a\nb" for a
// name holding a newline, "\033" for an escape character, "\\" for a backslash).
#pragma once

#include <string>

namespace parvane {

std::string EscapedName(const std::string& name);

}  // namespace parvane
