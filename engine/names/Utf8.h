// Reading UTF-8 one code point at a time, telling well-formed sequences from stray bytes.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>

namespace parvane {

// The code point starting at text[i] and its length in bytes; length 0 when the bytes
// there are not a well-formed multi-byte sequence (ASCII bytes are left to the caller).
std::pair<char32_t, std::size_t> DecodeUtf8At(std::string_view text, std::size_t i);

}  // namespace parvane
