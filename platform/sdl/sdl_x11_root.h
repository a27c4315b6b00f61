#pragma once
// The root window of the X display named by $DISPLAY, for hack mode without a window
// of the screen saver daemon's.
#include <cstdint>

namespace scr::platform::sdl {

// 0 when the display cannot be opened.
uintptr_t X11RootWindow();

}  // namespace scr::platform::sdl
