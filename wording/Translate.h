// How a front end turns the program's English words into its reader's language. The words are
// written as translate("Context", "English text") where they are used, so Qt's lupdate finds
// them for the catalogue; "%1" to "%9" in a text stand for the values filled in afterwards.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

namespace parvane {

// Gives the words for the English text in the context, UTF-8; the text itself where the
// front end has none.
using Translate = std::function<std::string(const char* context, const char* english)>;

std::string English(const char* context, const char* english);

// The text with each "%N" replaced by the Nth value, in one pass, so a value that holds
// "%2" itself (a file name may) stays as it is.
std::string Fill(const std::string& text, std::initializer_list<std::string> values);

}  // namespace parvane
