// What the page calls while the show runs: its input in stage coordinates, the end of
// a track, the end of the show. Each one wakes the loop's wait.
#include <emscripten.h>

#include "platform/web/web_desktop.h"
#include "platform/web/web_media_player.h"

using scr::platform::TButton;
using scr::platform::TShiftBits;
using scr::platform::web::TWebDesktop;
using scr::platform::web::TWebInput;

namespace {

void Deliver(const TWebInput& input) {
  if (TWebDesktop* d = TWebDesktop::Current()) d->Deliver(input);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void scr_web_key(int key, int shift) {
  TWebInput in;
  in.kind = TWebInput::TKind::Key;
  in.key = static_cast<uint16_t>(key);
  in.shift = static_cast<TShiftBits>(shift);
  Deliver(in);
}

EMSCRIPTEN_KEEPALIVE void scr_web_mouse_move(int x, int y, int shift) {
  TWebInput in;
  in.kind = TWebInput::TKind::Move;
  in.x = x;
  in.y = y;
  in.shift = static_cast<TShiftBits>(shift);
  Deliver(in);
}

// button: 0 left, 1 middle, 2 right (the page's numbering).
EMSCRIPTEN_KEEPALIVE void scr_web_mouse_down(int button, int x, int y, int shift) {
  TWebInput in;
  in.kind = TWebInput::TKind::Button;
  in.button = button == 2 ? TButton::Right : button == 1 ? TButton::Middle : TButton::Left;
  in.x = x;
  in.y = y;
  in.shift = static_cast<TShiftBits>(shift);
  Deliver(in);
}

EMSCRIPTEN_KEEPALIVE void scr_web_audio_ended(int id) { scr::platform::web::TWebMedia::TrackEnded(id); }

EMSCRIPTEN_KEEPALIVE void scr_web_quit() {
  if (TWebDesktop* d = TWebDesktop::Current()) d->Quit();
}

}  // extern "C"
