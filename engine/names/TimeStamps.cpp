#include "engine/names/TimeStamps.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace parvane {

namespace {

constexpr int kSignificantDigits = 15;

// Reads a number the way the chooser's m:ss parts and number texts are written:
// optional sign, digits, optional "." and digits. Anything unreadable reads as 0.
double ReadNumber(std::string_view text) {
    double value = 0.0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    (void)end;
    return error == std::errc{} ? value : 0.0;
}

}  // namespace

std::string NumberText(double value) {
    if (!std::isfinite(value)) {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    // Scientific notation with 14 decimals gives exactly the 15 rounded significant
    // digits and their power of ten; the plain text is laid out from those.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));

    const bool negative = scientific.front() == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t exponentMark = scientific.find('e');
    std::string digits;
    for (std::size_t k = mantissaStart; k < exponentMark; ++k) {
        if (scientific[k] != '.') {
            digits += scientific[k];
        }
    }
    const int exponent = std::atoi(std::string(scientific.substr(exponentMark + 1)).c_str());

    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    if (digits == "0") {
        return "0";
    }

    std::string text;
    const int pointAfter = exponent + 1;  // digits before the decimal point
    if (pointAfter <= 0) {
        text = "0." + std::string(static_cast<std::size_t>(-pointAfter), '0') + digits;
    } else if (static_cast<std::size_t>(pointAfter) >= digits.size()) {
        text = digits + std::string(static_cast<std::size_t>(pointAfter) - digits.size(), '0');
    } else {
        const auto split = static_cast<std::size_t>(pointAfter);
        text = digits.substr(0, split) + "." + digits.substr(split);
    }
    return negative ? "-" + text : text;
}

double IntervalToMinutes(int seconds) {
    // The decimal minutes as their 15-digit number text reads, so every boundary product
    // carries the same noise the stamp rounding below is made to absorb.
    return ReadNumber(NumberText(seconds / 60 + (seconds % 60) / 60.0));
}

double MinutesToStamp(double minutes) {
    const std::string text = NumberText(minutes);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) {
        return minutes;
    }
    const double wholeMinutes = ReadNumber(std::string_view(text).substr(0, point));
    std::string fractionText = "0";
    fractionText.append(text, point);
    const double fraction = ReadNumber(fractionText);
    // nearbyint rounds halves to the even neighbour under the default rounding mode.
    const double seconds = std::nearbyint(fraction * 60.0);
    return wholeMinutes + seconds / 100.0;
}

std::string FormatStamp(double stamp) {
    char buffer[400];  // room for the largest double written in full
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, stamp, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    if (text == "-0.00") {
        text = "0.00";
    }
    return text;
}

std::string TwoDigits(std::int64_t value) {
    std::string digits = std::to_string(value);
    if (value < 10) {
        digits.insert(digits.begin(), '0');
    }
    return digits;
}

}  // namespace parvane
