// Case folding and name order on names one a line. Folding twice changes nothing more,
// keeps every byte that is not UTF-8 where it was and never merges or splits code points.
// Sorting gives one order whatever the order given, and any two names, sorted alone, come
// out as they stand in it: the order is a strict weak one with no ties between different
// names.
#include <algorithm>

#include "engine/names/NameOrder.h"
#include "engine/names/Utf8.h"
#include "fuzz/FuzzInput.h"

namespace {

using parvane::fuzz::Require;

// ASCII in lower case, every other code point as one mark, every stray byte as itself.
std::vector<int> Shape(std::string_view text) {
    std::vector<int> shape;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte < 0x80 ? 1 : parvane::DecodeUtf8At(text, i).second;
        if (byte < 0x80) {
            shape.push_back(byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte);
        } else {
            shape.push_back(length == 0 ? 0x100 + byte : -1);
        }
        i += std::max<std::size_t>(length, 1);
    }
    return shape;
}

constexpr std::size_t kMostNames = 24;  // every pair is sorted alone

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> names = parvane::fuzz::Split(parvane::fuzz::Bytes(data, size), '\n');
    if (names.size() > kMostNames) names.resize(kMostNames);
    for (const std::string& name : names) {
        const std::string folded = parvane::FoldCase(name);
        Require(parvane::FoldCase(folded) == folded, "folding twice folds no more");
        Require(Shape(folded) == Shape(name), "folding keeps stray bytes and code points");
    }

    std::vector<std::string> sorted = names;
    parvane::SortNames(sorted);
    std::vector<std::string> reversed(names.rbegin(), names.rend());
    parvane::SortNames(reversed);
    Require(std::is_permutation(sorted.begin(), sorted.end(), names.begin(), names.end()),
            "sorting keeps every name");
    Require(reversed == sorted, "the order does not depend on the order given");
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        for (std::size_t j = i + 1; j < sorted.size(); ++j) {
            std::vector<std::string> pair{sorted[j], sorted[i]};
            parvane::SortNames(pair);
            Require(pair[0] == sorted[i] && pair[1] == sorted[j],
                    "two names sorted alone keep the order they have among all");
        }
    }
    return 0;
}
