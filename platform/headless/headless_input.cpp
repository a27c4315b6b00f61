#include "platform/headless/headless_input.h"

namespace scr::platform::headless {

bool DeliverInput(IScreenWindowEvents* events, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  const TInputMessage in = DecodeInput(message, wparam, lparam);
  if (!events || in.kind == TInputKind::None || in.kind == TInputKind::SysKeyDown) return false;
  platform::DeliverInput(*events, in, static_cast<TShiftBits>(wparam >> 16));
  return true;
}

}  // namespace scr::platform::headless
