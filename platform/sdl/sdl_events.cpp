#include "platform/sdl/sdl_events.h"

namespace scr::platform::sdl {

uint16_t VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint16_t>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<uint16_t>(0x70 + (key - SDLK_F1));
  switch (key) {
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_TAB: return 0x09;
    case SDLK_RETURN: case SDLK_KP_ENTER: return 0x0D;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
    case SDLK_LALT: case SDLK_RALT: return 0x12;
    case SDLK_PAUSE: return 0x13;
    case SDLK_CAPSLOCK: return 0x14;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_SPACE: return 0x20;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    case SDLK_LGUI: return 0x5B;
    case SDLK_RGUI: return 0x5C;
    default: return 0;
  }
}

TShiftBits ShiftBits(uint16_t keymod, uint32_t buttons) {
  TShiftBits s = 0;
  if (keymod & KMOD_SHIFT) s |= kShiftKey;
  if (keymod & KMOD_ALT) s |= kAltKey;
  if (keymod & KMOD_CTRL) s |= kCtrlKey;
  if (buttons & SDL_BUTTON_LMASK) s |= kLeftButton;
  if (buttons & SDL_BUTTON_RMASK) s |= kRightButton;
  if (buttons & SDL_BUTTON_MMASK) s |= kMiddleButton;
  return s;
}

TSdlInput TranslateEvent(const SDL_Event& e) {
  TSdlInput in;
  switch (e.type) {
    case SDL_QUIT: in.kind = TSdlInput::TKind::Quit; break;
    case SDL_KEYDOWN:
      in.kind = TSdlInput::TKind::Key;
      in.window = e.key.windowID;
      in.key = VirtualKey(e.key.keysym.sym);
      in.shift = ShiftBits(e.key.keysym.mod, 0);
      break;
    case SDL_MOUSEMOTION:
      in.kind = TSdlInput::TKind::Move;
      in.window = e.motion.windowID;
      in.shift = ShiftBits(0, e.motion.state);
      in.x = e.motion.x;
      in.y = e.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN: {
      const uint8_t b = e.button.button;
      if (b != SDL_BUTTON_LEFT && b != SDL_BUTTON_RIGHT && b != SDL_BUTTON_MIDDLE) break;
      in.kind = TSdlInput::TKind::Button;
      in.window = e.button.windowID;
      in.button = b == SDL_BUTTON_LEFT ? TButton::Left : b == SDL_BUTTON_RIGHT ? TButton::Right : TButton::Middle;
      // The button going down counts as held, as in the system's button messages.
      in.shift = ShiftBits(0, SDL_BUTTON(b));
      in.x = e.button.x;
      in.y = e.button.y;
      break;
    }
    case SDL_WINDOWEVENT:
      in.window = e.window.windowID;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) in.kind = TSdlInput::TKind::Close;
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED) in.kind = TSdlInput::TKind::Exposed;
      if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        in.kind = TSdlInput::TKind::Resized;
        in.x = e.window.data1;
        in.y = e.window.data2;
      }
      break;
    default: break;
  }
  return in;
}

}  // namespace scr::platform::sdl
