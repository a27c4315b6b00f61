#include "platform/sdl/sdl_x11_root.h"

#include <X11/Xlib.h>

namespace scr::platform::sdl {

uintptr_t X11RootWindow() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0;
  const Window root = DefaultRootWindow(display);
  XCloseDisplay(display);
  return static_cast<uintptr_t>(root);
}

}  // namespace scr::platform::sdl
