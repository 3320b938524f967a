// The system's own words for an error number ("No space left on device"), safe to ask for
// on any thread: the window words a report while its worker may be reporting the next.
#pragma once

#include <string>

namespace parvane {

std::string ErrorWords(int code);

}  // namespace parvane
