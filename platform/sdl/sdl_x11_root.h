#pragma once
// The X11 side of hack mode: the root window of the display named by $DISPLAY, for a
// hack without a window of the screen saver daemon's, and the events of a foreign
// window that SDL does not ask for itself.
#include <SDL.h>

#include <cstdint>

namespace scr::platform::sdl {

// 0 when the display cannot be opened.
uintptr_t X11RootWindow();
// Adds uncovering (Expose) and size changes (structure notices) to what SDL's
// connection hears of window; SDL then reports them as window events. False when the
// window is not an X11 one.
bool X11WatchWindow(SDL_Window* window);

}  // namespace scr::platform::sdl
