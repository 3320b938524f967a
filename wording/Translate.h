// How a front end turns the program's English words into its reader's language. The words are
// written as translate("Context", "English text") where they are used, so Qt's lupdate finds
// them for the catalogue; "%1" to "%9" in a text stand for the values filled in afterwards.
// A text worded for a count is written translate("Context", "%n file(s)", nullptr, count),
// as with Qt's own tr(), so the catalogue holds its forms for every count the language tells.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

namespace parvane {

// Gives the words for the English text in the context, UTF-8; the text itself where the
// front end has none. With a count of 0 or more the text holds "%n" for it and is given in
// the plural form the count calls for; -1 stands for no count.
using Words = std::function<std::string(const char* context, const char* english, int count)>;

class Translate {
public:
    // Not explicit: a front end hands over its words as they are.
    Translate(Words words) : words_(std::move(words)) {}

    std::string operator()(const char* context, const char* english) const {
        return words_(context, english, -1);
    }
    // The unused third argument keeps Qt's order, by which lupdate knows a text with a count.
    std::string operator()(const char* context, const char* english, std::nullptr_t,
                           int count) const {
        return words_(context, english, count);
    }

private:
    Words words_;
};

// The English words themselves. A text with a count reads "(s)" as the plural's ending:
// "%n file(s)" is "1 file", "2 files".
std::string English(const char* context, const char* english, int count);

// The text with each "%N" replaced by the Nth value, in one pass, so a value that holds
// "%2" itself (a file name may) stays as it is.
std::string Fill(const std::string& text, std::initializer_list<std::string> values);

}  // namespace parvane
