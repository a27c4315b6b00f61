#include "platform/win32/win32_input.h"

#include "platform/input_messages.h"

namespace scr::platform::win32 {

static_assert(kKeyDownMessage == WM_KEYDOWN && kSysKeyDownMessage == WM_SYSKEYDOWN && kMouseMoveMessage == WM_MOUSEMOVE);
static_assert(kLeftDownMessage == WM_LBUTTONDOWN && kLeftDoubleClickMessage == WM_LBUTTONDBLCLK);
static_assert(kRightDownMessage == WM_RBUTTONDOWN && kRightDoubleClickMessage == WM_RBUTTONDBLCLK);
static_assert(kMiddleDownMessage == WM_MBUTTONDOWN && kMiddleDoubleClickMessage == WM_MBUTTONDBLCLK);

namespace {

TShiftBits Shift(WPARAM mouseKeys, bool mouse) {
  TShiftBits s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= kShiftKey;
  if (GetKeyState(VK_CONTROL) < 0) s |= kCtrlKey;
  if (GetKeyState(VK_MENU) < 0) s |= kAltKey;
  if (mouse) {
    if (mouseKeys & MK_LBUTTON) s |= kLeftButton;
    if (mouseKeys & MK_RBUTTON) s |= kRightButton;
    if (mouseKeys & MK_MBUTTON) s |= kMiddleButton;
  }
  return s;
}

}  // namespace

TInputResult DeliverInput(IScreenWindowEvents* events, UINT msg, WPARAM wp, LPARAM lp) {
  const TInputMessage in = DecodeInput(msg, wp, lp);
  if (in.kind == TInputKind::None) return TInputResult::irNone;
  if (events) platform::DeliverInput(*events, in, Shift(wp, !in.IsKey()));
  return in.kind == TInputKind::SysKeyDown ? TInputResult::irPassOn : TInputResult::irHandled;
}

}  // namespace scr::platform::win32
