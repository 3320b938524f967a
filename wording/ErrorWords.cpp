#include "wording/ErrorWords.h"

#include <system_error>

namespace parvane {

// std::strerror may share one buffer among threads; the standard library's category asks
// the system through its thread-safe variant and gives the same words.
std::string ErrorWords(int code) {
    return std::generic_category().message(code);
}

}  // namespace parvane
