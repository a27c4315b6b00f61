// The module's functions for the Effects view: the catalogue of the 128 styles, and
// frames of any style composed by the real picture show control from two pictures.
#include <emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/bitmap24.h"
#include "platform/web/web_present.h"
#include "transition/effect_catalog.h"
#include "transition/frame_render.h"
#include "web/module/json_text.h"
#include "web/module/module_state.h"

namespace scr::web {

namespace {

struct TEffectPictures {
  TBitmap24 oldPicture, newPicture;
  std::vector<uint8_t> frame;
};

TEffectPictures& Pictures() {
  static TEffectPictures pictures;
  return pictures;
}

void FromRgba(const uint8_t* rgba, int w, int h, TBitmap24& out) {
  out.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    uint8_t* d = out.Row(y);
    const uint8_t* s = rgba + static_cast<size_t>(y) * w * 4;
    for (int x = 0; x < w; ++x, s += 4, d += 3) {
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
    }
  }
}

}  // namespace

}  // namespace scr::web

using namespace scr;

extern "C" {

// [{"number","family","name"}, ...] for all 128 styles, and the families in order:
// {"effects": [...], "families": [...]}.
EMSCRIPTEN_KEEPALIVE const char* scr_web_effect_catalog() {
  std::string effects = "[";
  for (const TEffectInfo& e : EffectCatalog()) {
    if (effects.size() > 1) effects += ",";
    effects += web::TJsonObject().Add("number", int64_t{e.number}).Add("family", e.family).Add("name", e.name).Text();
  }
  std::string families = "[";
  for (std::string_view f : EffectFamilies()) {
    if (families.size() > 1) families += ",";
    families += web::JsonString(f);
  }
  web::State().text = web::TJsonObject().AddRaw("effects", effects + "]").AddRaw("families", families + "]").Text();
  return web::State().text.c_str();
}

// The two pictures of the effect frames, as RGBA bytes of w x h each.
EMSCRIPTEN_KEEPALIVE void scr_web_effect_pictures(const uint8_t* oldRgba, const uint8_t* newRgba, int w, int h) {
  if (w <= 0 || h <= 0) return;
  web::FromRgba(oldRgba, w, h, web::Pictures().oldPicture);
  web::FromRgba(newRgba, w, h, web::Pictures().newPicture);
}

// The frame of style at progress (0..100) stepping by step, as RGBA bytes of the
// pictures' size; null when there are no pictures or the style is unknown.
EMSCRIPTEN_KEEPALIVE const uint8_t* scr_web_effect_frame(int style, int progress, int step) {
  web::TEffectPictures& p = web::Pictures();
  if (p.oldPicture.Empty() || style < 0 || style >= static_cast<int>(EffectCatalog().size())) return nullptr;
  try {
    TFrameRenderOptions options;
    options.style = style;
    options.progress = progress < 0 ? 0 : progress > 100 ? 100 : progress;
    options.step = step < 1 ? 1 : step > 100 ? 100 : step;
    const TBitmap24 frame = RenderTransitionFrame(p.oldPicture, p.newPicture, options);
    platform::web::ToRgba(frame, frame.Bounds(), p.frame);
    return p.frame.data();
  } catch (...) {
    return nullptr;
  }
}

}  // extern "C"
