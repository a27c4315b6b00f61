#include "platform/input_messages.h"

namespace scr::platform {

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

TInputMessage DecodeInput(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  TInputMessage in;
  switch (message) {
    case kKeyDownMessage:
    case kSysKeyDownMessage:
      in.kind = message == kKeyDownMessage ? TInputKind::KeyDown : TInputKind::SysKeyDown;
      in.key = static_cast<uint16_t>(wparam & 0xFFFF);
      return in;
    case kMouseMoveMessage: in.kind = TInputKind::MouseMove; break;
    case kLeftDownMessage:
    case kLeftDoubleClickMessage: in.button = TButton::Left; break;
    case kRightDownMessage:
    case kRightDoubleClickMessage: in.button = TButton::Right; break;
    case kMiddleDownMessage:
    case kMiddleDoubleClickMessage: in.button = TButton::Middle; break;
    default: return in;
  }
  if (in.kind == TInputKind::None) in.kind = TInputKind::MouseDown;
  in.x = ParamX(lparam);
  in.y = ParamY(lparam);
  return in;
}

void DeliverInput(IScreenWindowEvents& events, const TInputMessage& input, TShiftBits shift) {
  switch (input.kind) {
    case TInputKind::KeyDown:
    case TInputKind::SysKeyDown: events.KeyDown(input.key, shift); break;
    case TInputKind::MouseMove: events.MouseMove(shift, input.x, input.y); break;
    case TInputKind::MouseDown: events.MouseDown(input.button, shift, input.x, input.y); break;
    case TInputKind::None: break;
  }
}

}  // namespace scr::platform
