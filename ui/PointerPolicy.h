// The window's pointer setting and its hover rules. The setting doubles as the busy
// flag: while a job or a scan runs it is the hourglass, and no hover rule overwrites it.
#pragma once

#include "WindowPointer.h"

namespace parvane {

constexpr int ButtonHoverPointer(int current) {
    return current == kPointerBusy ? current : kPointerHand;
}

constexpr int SurfaceHoverPointer(int current) {
    return current == kPointerBusy ? current : kPointerDefault;
}

}  // namespace parvane
