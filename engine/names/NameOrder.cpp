#include "engine/names/NameOrder.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "engine/names/Utf8.h"

namespace parvane {
namespace {

// Simple (one to one) case folding of the scripts file names are commonly written in;
// anything else compares by its code point.
char32_t FoldCodePoint(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    if (c >= 0xC0 && c <= 0xDE) return c == 0xD7 ? c : c + 0x20;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130 || c == 0x138) return c;
        if (c == 0x178) return 0xFF;
        const bool upperIsOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        return (c % 2 == (upperIsOdd ? 1u : 0u)) ? c + 1 : c;
    }
    if (c >= 0x386 && c <= 0x3AB) {
        if (c == 0x386) return 0x3AC;
        if (c >= 0x388 && c <= 0x38A) return c + 37;
        if (c == 0x38C) return 0x3CC;
        if (c == 0x38E || c == 0x38F) return c + 63;
        if (c >= 0x391 && c != 0x3A2) return c + 0x20;
        return c;
    }
    if (c == 0x3C2) return 0x3C3;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
        return c % 2 == 0 ? c + 1 : c;
    if (c == 0x4C0) return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE) return c % 2 == 1 ? c + 1 : c;
    if (c >= 0x531 && c <= 0x556) return c + 0x30;
    if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) return c % 2 == 0 ? c + 1 : c;
    if (c == 0x1E9E) return 0xDF;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digit run starting at `at`, without its leading zeros; `at` moves past the run.
std::string_view NumberAt(std::string_view text, std::size_t& at) {
    std::size_t end = at;
    while (end < text.size() && IsDigit(text[end])) ++end;
    std::size_t first = at;
    while (first + 1 < end && text[first] == '0') ++first;
    at = end;
    return text.substr(first, end - first);
}

// Negative, zero or positive as a comes before, with or after b; digit runs compare by
// their value, everything else by its bytes.
int CompareNatural(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view x = NumberAt(a, i);
            const std::string_view y = NumberAt(b, j);
            if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
            if (const int order = x.compare(y); order != 0) return order;
            continue;
        }
        const auto x = static_cast<unsigned char>(a[i++]);
        const auto y = static_cast<unsigned char>(b[j++]);
        if (x != y) return x < y ? -1 : 1;
    }
    return (i < a.size()) - (j < b.size());
}

}  // namespace

std::string FoldCase(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<std::uint8_t>(utf8[i]) < 0x80) {
            folded += LowerAscii(utf8[i]);
            ++i;
            continue;
        }
        const auto [c, length] = DecodeUtf8At(utf8, i);
        if (length == 0) {
            folded += utf8[i];
            ++i;
        } else {
            AppendUtf8(folded, FoldCodePoint(c));
            i += length;
        }
    }
    return folded;
}

void SortNames(std::vector<std::string>& names) {
    // Folding once per name rather than once per comparison keeps large folders cheap.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (auto& name : names) {
        std::string key = FoldCase(name);
        keyed.emplace_back(std::move(key), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int order = CompareNatural(a.first, b.first);
        return order != 0 ? order < 0 : a < b;
    });
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::move(keyed[i].second);
}

bool HasMp3Extension(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string_view tail = name.substr(name.size() - 4);
    return tail[0] == '.' && LowerAscii(tail[1]) == 'm' && LowerAscii(tail[2]) == 'p' &&
           tail[3] == '3';
}

}  // namespace parvane
