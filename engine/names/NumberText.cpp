#include "engine/names/NumberText.h"

#include <charconv>
#include <cmath>

namespace parvane {

std::string NumberText(std::int64_t value) {
    char buffer[24];  // 19 digits and a sign
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ZeroPad(std::int64_t number, int width, int base) {
    char buffer[72];  // 64 binary digits and a sign
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, base);
    std::string text(buffer, result.ptr);
    if (static_cast<std::int64_t>(text.size()) < width) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    }
    return text;
}

std::string MinutesSecondsText(std::int64_t seconds, char mark) {
    return NumberText(seconds / 60) + mark + ZeroPad(seconds % 60, 2);
}

std::string HundredthsText(double value) {
    char buffer[400];  // room for the largest double written in full
    const double rounded = std::round(value * 100.0) / 100.0;
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

}  // namespace parvane
