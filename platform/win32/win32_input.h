#pragma once
// Key and mouse messages of the program's full-screen windows (screen and cover
// windows) passed on to their events.
#include "platform/screen.h"
#include "platform/win32/win32_api.h"

namespace scr::platform::win32 {

enum class TInputResult {
  irNone,     // not a key or mouse message
  irHandled,  // passed on; the window procedure returns 0
  irPassOn,   // passed on; the system's default handling runs too (Alt keys: Alt+F4)
};

// A key down (also with Alt), a mouse move, or a button press (platform/input_messages.h
// tells them apart), with the shift state the system keeps.
TInputResult DeliverInput(IScreenWindowEvents* events, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace scr::platform::win32
