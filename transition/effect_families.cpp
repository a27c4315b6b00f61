#include "transition/effect_families.h"

#include "common/errors.h"

namespace scr {

TRegion BuildStyleRegion(int style, const TFrameParams& f) {
  throw Exception("not available yet");
}

void DrawThroughRegion(const TRegion& r, const TBitmap24& src, TBitmap24& dst) { DrawRegion(r, src, dst); }

void DrawPixelStyle(int style, const TFrameParams& f, const TBitmap24& newBitmap, TBitmap24& frame) {
  throw Exception("not available yet");
}

}  // namespace scr
