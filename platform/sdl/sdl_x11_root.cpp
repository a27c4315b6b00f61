#include "platform/sdl/sdl_x11_root.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace scr::platform::sdl {

namespace {

// A window another program made can go at any moment (the daemon destroys its window
// when it ends the hack); Xlib's default handler would then end the process on the
// failed request, before the player has removed its private folder.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

uintptr_t X11RootWindow() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0;
  const Window root = DefaultRootWindow(display);
  XCloseDisplay(display);
  return static_cast<uintptr_t>(root);
}

bool X11WatchWindow(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  XSetErrorHandler(IgnoreXError);
  const Window id = info.info.x11.window;
  // The mask is this connection's own: what SDL selected stays, other clients' stay.
  XWindowAttributes attributes{};
  const long selected = XGetWindowAttributes(display, id, &attributes) ? attributes.your_event_mask : 0;
  XSelectInput(display, id, selected | ExposureMask | StructureNotifyMask);
  XFlush(display);
  return true;
}

}  // namespace scr::platform::sdl
