#pragma once
// Scripted input as the headless windows receive it: the system's input message
// numbers, the point packed into the message's parameter, and the delivery of such a
// message to a window's key and mouse events.
#include <cstdint>

#include "platform/screen.h"

namespace scr::platform::headless {

inline constexpr uint32_t kKeyDownMessage = 0x0100;
inline constexpr uint32_t kMouseMoveMessage = 0x0200;
inline constexpr uint32_t kLeftDownMessage = 0x0201;
inline constexpr uint32_t kLeftDoubleClickMessage = 0x0203;
inline constexpr uint32_t kRightDownMessage = 0x0204;
inline constexpr uint32_t kRightDoubleClickMessage = 0x0206;
inline constexpr uint32_t kMiddleDownMessage = 0x0207;
inline constexpr uint32_t kMiddleDoubleClickMessage = 0x0209;

// A point in a message parameter: x in the low, y in the high 16 bits, both signed.
intptr_t PointParam(int x, int y);
int ParamX(intptr_t lp);
int ParamY(intptr_t lp);

// The message that a button's press (or the second press of its double-click) posts.
uint32_t ButtonMessage(TButton button, bool doubleClick);

// Passes an input message on to events (key down, mouse move, a button down or
// double-click, the shift bits in wparam's high word); false for any other message or
// without events.
bool DeliverInput(IScreenWindowEvents* events, uint32_t message, uintptr_t wparam, intptr_t lparam);

}  // namespace scr::platform::headless
