// The window pointer values that long work sets: the hourglass doubles as the busy flag
// the window checks before it lets a button or a list edit act.
#pragma once

namespace parvane {

inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerBusy = 11;

}  // namespace parvane
