// Name rules of the folder scan: the name order file managers use and the *.mp3 match.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace parvane {

// The UTF-8 name with the letters of the Latin, Greek, Cyrillic and Armenian scripts
// folded to lower case. Bytes that are not valid UTF-8 are kept as they are.
std::string FoldCase(std::string_view utf8);

// Sorts names case-insensitively, a run of digits counting as the number it writes
// (9.mp3 before 10.mp3, track2 before track10). Names that differ only in letter case or
// leading zeros keep a fixed order between them (by their bytes), so the result never
// depends on the input order.
void SortNames(std::vector<std::string>& names);

// True for names that *.mp3 matches in any letter case (".mp3" itself included).
bool HasMp3Extension(std::string_view name);

}  // namespace parvane
