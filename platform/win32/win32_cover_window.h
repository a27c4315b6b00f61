#pragma once
// Cover windows: black, borderless, topmost windows over a display, which never take
// the activation and pass their key and mouse input on.
#include <memory>

#include "platform/screen.h"
#include "platform/win32/win32_desktop.h"

namespace scr::platform::win32 {

// Empty when the system refuses the window.
std::unique_ptr<IWindow> CreateWin32CoverWindow(TWin32Desktop& desktop, const TRect& bounds,
                                                IScreenWindowEvents* events);

}  // namespace scr::platform::win32
