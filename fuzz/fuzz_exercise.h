#pragma once
// What the fuzz targets do with what they read: draw small pictures (JPEG decoding is
// deferred until the first draw) and call every settings accessor.
#include <cstdint>

#include "common/bitmap24.h"
#include "common/errors.h"
#include "package/image.h"
#include "package/settings.h"

namespace scr::fuzz {

inline void DrawPicture(const TImage& image) {
  const TGraphic* g = image.Picture().Graphic();
  if (g == nullptr || g->Empty()) return;
  // Bound the work per input; the decoders enforce their own size limits.
  if (static_cast<int64_t>(g->Width()) * g->Height() > (int64_t{1} << 20)) return;
  TBitmap24 canvas;
  canvas.SetSize(16, 16);
  try {
    g->StretchDraw(canvas, TRect{-3, -3, 19, 21});
    g->Draw(canvas, 2, 2);
  } catch (const Exception&) {
  }
}

inline void CallAccessors(const TSSFileLocations& s) {
  volatile int64_t sink = 0;
  auto guard = [&](auto call) {
    try {
      sink = sink + call();
    } catch (const Exception&) {
    }
  };
  for (int32_t i = -1; i <= s.EffectCount(); ++i) guard([&] { return s.Effect(i); });
  for (int32_t i = -1; i <= s.PicCount(); ++i) guard([&] { return s.PicPosition(i); });
  for (int32_t i = -1; i <= s.SndCount(); ++i) {
    guard([&] { return s.SndPosition(i); });
    guard([&] { return s.SndSize(i); });
    guard([&] { return static_cast<int32_t>(s.SndFileName(i).size()); });
  }
  for (int32_t i = -1; i <= s.FlashCount(); ++i) {
    guard([&] { return s.FlashPosition(i); });
    guard([&] { return s.FlashSize(i); });
    guard([&] { return static_cast<int32_t>(s.FlashFileName(i).size()); });
  }
  sink = sink + static_cast<int64_t>(s.EffectCommaList().size() + s.DescriptCommaList().size());
}

}  // namespace scr::fuzz
