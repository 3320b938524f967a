#include "wording/Translate.h"

#include <vector>

#include "engine/names/NumberText.h"

namespace parvane {

std::string English(const char*, const char* english, int count) {
    std::string text = english;
    if (count < 0) {
        return text;
    }
    const std::string ending = count == 1 ? "" : "s";
    for (std::size_t at; (at = text.find("(s)")) != std::string::npos;) {
        text.replace(at, 3, ending);
    }
    for (std::size_t at; (at = text.find("%n")) != std::string::npos;) {
        text.replace(at, 2, NumberText(count));
    }
    return text;
}

std::string Fill(const std::string& text, std::initializer_list<std::string> values) {
    const std::vector<std::string> filled(values);
    std::string result;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char next = k + 1 < text.size() ? text[k + 1] : '\0';
        if (text[k] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < filled.size()) {
            result += filled[static_cast<std::size_t>(next - '1')];
            ++k;
        } else {
            result += text[k];
        }
    }
    return result;
}

}  // namespace parvane
