#pragma once
// SDL's input events in the terms of the program's windows: virtual-key codes,
// shift and button bits, client coordinates.
#include <SDL.h>

#include <cstdint>

#include "platform/screen.h"

namespace scr::platform::sdl {

struct TSdlInput {
  enum class TKind : uint8_t { None, Key, Move, Button, Close, Exposed, Resized, Quit };
  TKind kind = TKind::None;
  uint32_t window = 0;  // SDL's window id, 0 for events of no window
  uint16_t key = 0;     // virtual-key code
  TShiftBits shift = 0;
  TButton button = TButton::Left;
  int x = 0, y = 0;     // client coordinates
};

// The virtual-key code of a key (letters as upper-case letters, digits as digits,
// function, arrow, editing and modifier keys by their codes); 0 for keys without one.
uint16_t VirtualKey(SDL_Keycode key);
// Shift bits from SDL's modifier state and mouse button mask.
TShiftBits ShiftBits(uint16_t keymod, uint32_t buttons);
// What an SDL event means to a window; kind None for events that mean nothing here.
TSdlInput TranslateEvent(const SDL_Event& event);

}  // namespace scr::platform::sdl
