#include "platform/win32/win32_input.h"

namespace scr::platform::win32 {

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

int LowX(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int HighY(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

}  // namespace

TInputResult DeliverInput(IScreenWindowEvents* events, UINT msg, WPARAM wp, LPARAM lp) {
  TButton button = TButton::Left;
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (events) events->KeyDown(static_cast<uint16_t>(wp), Shift(0, false));
      return msg == WM_KEYDOWN ? TInputResult::irHandled : TInputResult::irPassOn;
    case WM_MOUSEMOVE:
      if (events) events->MouseMove(Shift(wp, true), LowX(lp), HighY(lp));
      return TInputResult::irHandled;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: button = TButton::Left; break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: button = TButton::Right; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: button = TButton::Middle; break;
    default: return TInputResult::irNone;
  }
  if (events) events->MouseDown(button, Shift(wp, true), LowX(lp), HighY(lp));
  return TInputResult::irHandled;
}

}  // namespace scr::platform::win32
