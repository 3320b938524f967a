// What assistive technology is told of the window's own kinds of control: a picture button
// is a push button to be pressed, unavailable while it looks so; the bar is read, not
// changed; the window is a frame.
#pragma once

namespace parvane {

// Before the window is made; repeating it changes nothing.
void InstallAccessibility();

}  // namespace parvane
