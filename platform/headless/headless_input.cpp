#include "platform/headless/headless_input.h"

namespace scr::platform::headless {

intptr_t PointParam(int x, int y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(x))) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}

int ParamX(intptr_t lp) { return static_cast<int16_t>(static_cast<uint32_t>(lp) & 0xFFFF); }

int ParamY(intptr_t lp) { return static_cast<int16_t>((static_cast<uint32_t>(lp) >> 16) & 0xFFFF); }

uint32_t ButtonMessage(TButton button, bool doubleClick) {
  switch (button) {
    case TButton::Left: return doubleClick ? kLeftDoubleClickMessage : kLeftDownMessage;
    case TButton::Right: return doubleClick ? kRightDoubleClickMessage : kRightDownMessage;
    case TButton::Middle: break;
  }
  return doubleClick ? kMiddleDoubleClickMessage : kMiddleDownMessage;
}

bool DeliverInput(IScreenWindowEvents* events, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (!events) return false;
  const auto shift = static_cast<TShiftBits>(wparam >> 16);
  const int x = ParamX(lparam), y = ParamY(lparam);
  switch (message) {
    case kKeyDownMessage: events->KeyDown(static_cast<uint16_t>(wparam & 0xFFFF), shift); return true;
    case kMouseMoveMessage: events->MouseMove(shift, x, y); return true;
    // A double-click's second press is a press like the first.
    case kLeftDownMessage:
    case kLeftDoubleClickMessage: events->MouseDown(TButton::Left, shift, x, y); return true;
    case kRightDownMessage:
    case kRightDoubleClickMessage: events->MouseDown(TButton::Right, shift, x, y); return true;
    case kMiddleDownMessage:
    case kMiddleDoubleClickMessage: events->MouseDown(TButton::Middle, shift, x, y); return true;
    default: return false;
  }
}

}  // namespace scr::platform::headless
