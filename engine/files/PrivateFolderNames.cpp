#include "engine/files/PrivateFolderNames.h"

#include <algorithm>

#include "engine/files/PrivateFolder.h"

namespace parvane {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetterOrDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool AllOf(std::string_view text, bool (*test)(char)) {
    return std::all_of(text.begin(), text.end(), test);
}

}  // namespace

bool HasPrivateName(std::string_view name) {
    if (!name.starts_with(kPrivateFolderPrefix)) {
        return false;
    }
    name.remove_prefix(kPrivateFolderPrefix.size());
    const std::size_t dash = name.find('-');
    return dash != 0 && dash != std::string_view::npos &&
           name.size() - dash - 1 == kUniqueLetters && AllOf(name.substr(0, dash), IsDigit) &&
           AllOf(name.substr(dash + 1), IsLetterOrDigit);
}

bool IsPrivateFileName(std::string_view name) {
    const std::string_view output = kSplitterOutputName;
    return name == kLockName || (name.starts_with(output) &&
                                 (name.size() == output.size() || name[output.size()] == '.'));
}

}  // namespace parvane
