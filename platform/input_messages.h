#pragma once
// Key and mouse messages of the program's full-screen windows (screen and cover
// windows), told apart once for every backend that receives them as the system's
// messages: the Win32 windows, and the headless ones, whose scripted input posts the
// same message numbers with the point packed the same way.
#include <cstdint>

#include "platform/screen.h"

namespace scr::platform {

inline constexpr uint32_t kKeyDownMessage = 0x0100;
inline constexpr uint32_t kSysKeyDownMessage = 0x0104;  // a key pressed with Alt
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

// The message that a button's press (or the second press of its double-click) sends.
uint32_t ButtonMessage(TButton button, bool doubleClick);

enum class TInputKind : uint8_t { None, KeyDown, SysKeyDown, MouseMove, MouseDown };

struct TInputMessage {
  TInputKind kind = TInputKind::None;
  uint16_t key = 0;  // KeyDown, SysKeyDown: the virtual key (wparam's low word)
  TButton button = TButton::Left;
  int x = 0, y = 0;  // MouseMove, MouseDown
  bool IsKey() const { return kind == TInputKind::KeyDown || kind == TInputKind::SysKeyDown; }
};

// What an input message is. A double-click's second press, which arrives as a message
// of its own, is a press like the first. Kind None for any other message.
TInputMessage DecodeInput(uint32_t message, uintptr_t wparam, intptr_t lparam);

// Passes decoded input on to a window's events with the shift state of the moment.
void DeliverInput(IScreenWindowEvents& events, const TInputMessage& input, TShiftBits shift);

}  // namespace scr::platform
