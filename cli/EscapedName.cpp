#include "cli/EscapedName.h"

#include <string_view>

#include "engine/names/NumberText.h"
#include "engine/names/Utf8.h"

namespace parvane {

namespace {

constexpr char32_t kDelete = 0x7F;
constexpr char32_t kLastC1Control = 0x9F;

std::string_view NamedEscape(unsigned char byte) {
    switch (byte) {
        case '\a':
            return "\\a";
        case '\b':
            return "\\b";
        case '\t':
            return "\\t";
        case '\n':
            return "\\n";
        case '\v':
            return "\\v";
        case '\f':
            return "\\f";
        case '\r':
            return "\\r";
        case '\\':
            return "\\\\";
        default:
            return {};
    }
}

void AppendOctal(std::string& text, unsigned char byte) {
    text += '\\';
    text += ZeroPad(byte, 3, 8);
}

}  // namespace

std::string EscapedName(const std::string& name) {
    std::string shown;
    shown.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x80) {
            if (const std::string_view escape = NamedEscape(byte); !escape.empty()) {
                shown += escape;
            } else if (byte < 0x20 || byte == kDelete) {
                AppendOctal(shown, byte);
            } else {
                shown += name[i];
            }
            ++i;
            continue;
        }
        const auto [codePoint, length] = DecodeUtf8At(name, i);
        if (length == 0 || codePoint <= kLastC1Control) {
            // A stray byte, or a control character of the C1 range: each byte on its own.
            for (std::size_t k = 0; k < (length == 0 ? 1 : length); ++k) {
                AppendOctal(shown, static_cast<unsigned char>(name[i + k]));
            }
            i += length == 0 ? 1 : length;
        } else {
            shown.append(name, i, length);
            i += length;
        }
    }
    return shown;
}

}  // namespace parvane
