#include "MediaType.h"

#include <magic.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace parvane {

namespace {

struct CookieCloser {
    void operator()(magic_set* cookie) const { magic_close(cookie); }
};

}  // namespace

std::string MediaTypeOf(int fd) {
    // Enough for every format libmagic tells by its start; nothing is unpacked.
    constexpr std::size_t kLookedAt = 64 * 1024;
    std::vector<unsigned char> start(kLookedAt);
    const ssize_t count = ::pread(fd, start.data(), start.size(), 0);
    const std::unique_ptr<magic_set, CookieCloser> cookie(
        magic_open(MAGIC_MIME_TYPE | MAGIC_NO_CHECK_COMPRESS | MAGIC_ERROR));
    if (count < 0 || !cookie || magic_load(cookie.get(), nullptr) != 0) {
        return {};
    }
    const char* type = magic_buffer(cookie.get(), start.data(), static_cast<std::size_t>(count));
    return type != nullptr ? type : "";
}

}  // namespace parvane
