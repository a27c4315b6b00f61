#include "transition/effect_families.h"

#include "transition/effect_regions.h"
#include "transition/pixel_effects.h"

namespace scr {

void TStyleRegionBuilder::Build(int style, const TFrameParams& f, TRegion& out) {
  switch (StyleKind(style)) {
    case TStyleKind::RegionShape: BuildShape(style, f, out); break;
    case TStyleKind::StripRegion: BuildStrip(style, f, out); break;
    default: out.Clear(); break;
  }
}

TRegion BuildStyleRegion(int style, const TFrameParams& f) {
  TRegion r;
  TStyleRegionBuilder().Build(style, f, r);
  return r;
}

void DrawThroughRegion(const TRegion& r, const TBitmap24& src, TBitmap24& dst) { DrawRegion(r, src, dst); }

void DrawPixelStyle(int style, const TFrameParams& f, const TBitmap24& newBitmap, TBitmap24& frame) {
  switch (style) {
    case 118: BlendBitmaps(frame, newBitmap, f.P); break;
    case 119: RotateBitmap(frame, newBitmap, -1, -1, f.P); break;
    case 120: RotateBitmap(frame, newBitmap, -1, f.H, f.P); break;
    case 121: RotateBitmap(frame, newBitmap, f.W, -1, f.P); break;
    case 122: RotateBitmap(frame, newBitmap, f.W, f.H, f.P); break;
    default: break;
  }
}

}  // namespace scr
