// What kind of data a file holds, named by libmagic as a media type ("audio/x-wav").
#pragma once

#include <string>

namespace parvane {

// Looks at the first bytes of an open file; empty when they cannot be read or named.
std::string MediaTypeOf(int fd);

}  // namespace parvane
