// The few numbers of the Windows icon and cursor file format that both the reader of the
// pointer files and the program that paints them need.
#pragma once

#include <cstdint>

namespace parvane::icon_file {

inline constexpr int kDirectoryHeaderSize = 6;  // reserved, type, image count
inline constexpr int kDirectoryEntrySize = 16;  // one per image
inline constexpr std::uint16_t kTypeIcon = 1;
inline constexpr std::uint16_t kTypeCursor = 2;  // entries carry a hotspot, not planes and depth

}  // namespace parvane::icon_file
