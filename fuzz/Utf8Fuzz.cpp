// UTF-8 reading: every multi-byte sequence the reader accepts is the one encoding of a
// Unicode scalar value, and every such encoding is accepted, wherever it stands.
#include "engine/names/Utf8.h"
#include "fuzz/FuzzInput.h"

namespace {

using parvane::fuzz::Require;

// Written out bit by bit, unlike the table the reader uses.
std::string Encoding(char32_t c) {
    const std::size_t length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
    std::string bytes(length, '\0');
    for (std::size_t k = length - 1; k > 0; --k, c >>= 6) {
        bytes[k] = static_cast<char>(0x80 | (c & 0x3F));
    }
    bytes[0] = static_cast<char>(kLeadMarks[length] | c);
    return bytes;
}

bool IsScalarValue(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = parvane::fuzz::Bytes(data, size);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x80) continue;
        const auto [c, length] = parvane::DecodeUtf8At(text, i);
        if (length == 0) continue;
        Require(c >= 0x80 && IsScalarValue(c), "an accepted sequence is a non-ASCII scalar value");
        Require(i + length <= text.size() && text.substr(i, length) == Encoding(c),
                "an accepted sequence is the shortest encoding of its code point");
    }
    if (size >= 4) {
        char32_t c = 0;
        for (std::size_t k = 0; k < 4; ++k) c = (c << 8) | data[k];
        c = 0x80 + c % (0x110000 - 0x80);
        if (IsScalarValue(c)) {
            const std::string bytes = Encoding(c) + std::string(text.substr(4));
            Require(parvane::DecodeUtf8At(bytes, 0) == std::pair(c, Encoding(c).size()),
                    "every scalar value's encoding is read back, whatever follows it");
        }
    }
    return 0;
}
