// The window's pointer values. The hourglass doubles as the busy flag the window checks
// before it lets a button or a list edit act.
#pragma once

namespace parvane {

inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerBusy = 11;
inline constexpr int kPointerHand = 99;  // the hand from HAND-M.CUR

}  // namespace parvane
