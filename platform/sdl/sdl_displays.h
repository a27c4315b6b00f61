#pragma once
// The displays SDL knows, in the program's coordinates: display 0 is the primary one,
// with its top-left at (0, 0), the others placed around it as the desktop has them.
// Full-screen windows are placed on the display their bounds lie on.
#include <SDL.h>

#include <vector>

#include "common/geometry.h"
#include "platform/windowing.h"

namespace scr::platform::sdl {

// Every display; the primary one alone (640 x 480) when SDL cannot tell.
std::vector<TMonitor> SdlMonitors();

// SDL's rectangle (desktop coordinates) of the display that holds the centre of
// bounds (program coordinates); the primary display's when none does.
SDL_Rect SdlDisplayFor(const TRect& bounds);

// Moves a full-screen window onto the display that holds bounds' centre.
void MoveToDisplay(SDL_Window* window, const TRect& bounds);

// Whether an event tells of a display added, removed or changed.
bool IsDisplayChange(const SDL_Event& event);

}  // namespace scr::platform::sdl
