#include "platform/sdl/sdl_displays.h"

namespace scr::platform::sdl {

namespace {

constexpr SDL_Rect kNoDisplay{0, 0, 640, 480};

SDL_Rect DisplayBounds(int index) {
  SDL_Rect r{0, 0, 0, 0};
  if (SDL_GetDisplayBounds(index, &r) != 0 || r.w <= 0 || r.h <= 0) return kNoDisplay;
  return r;
}

}  // namespace

std::vector<TMonitor> SdlMonitors() {
  const SDL_Rect primary = DisplayBounds(0);
  std::vector<TMonitor> out;
  const int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count || i == 0; ++i) {
    const SDL_Rect r = DisplayBounds(i);
    out.push_back(TMonitor{TRect{r.x - primary.x, r.y - primary.y, r.x - primary.x + r.w, r.y - primary.y + r.h},
                           i == 0});
  }
  return out;
}

SDL_Rect SdlDisplayFor(const TRect& bounds) {
  const SDL_Rect primary = DisplayBounds(0);
  const int cx = primary.x + bounds.left + bounds.Width() / 2, cy = primary.y + bounds.top + bounds.Height() / 2;
  const int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count; ++i) {
    const SDL_Rect r = DisplayBounds(i);
    if (cx >= r.x && cx < r.x + r.w && cy >= r.y && cy < r.y + r.h) return r;
  }
  return primary;
}

void MoveToDisplay(SDL_Window* window, const TRect& bounds) {
  const SDL_Rect r = SdlDisplayFor(bounds);
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(window, &x, &y);
  SDL_GetWindowSize(window, &w, &h);
  if (x == r.x && y == r.y && w == r.w && h == r.h) return;
  // A full-screen window stays on its display: it leaves full screen to move.
  SDL_SetWindowFullscreen(window, 0);
  SDL_SetWindowPosition(window, r.x, r.y);
  SDL_SetWindowSize(window, r.w, r.h);
  SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool IsDisplayChange(const SDL_Event& event) { return event.type == SDL_DISPLAYEVENT; }

}  // namespace scr::platform::sdl
