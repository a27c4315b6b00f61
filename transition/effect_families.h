#pragma once
// The region and pixel effect families (styles 58..127), called by the control's
// UpdateFrame. Rectangle copies (1..57) and the instant style 0 live in the control.

#include "common/bitmap24.h"
#include "transition/frame_params.h"
#include "transition/region.h"

namespace scr {

enum class TStyleKind { Instant, RectangleCopy, RegionShape, StripRegion, Pixel, Invalid };

constexpr TStyleKind StyleKind(int style) {
  if (style == 0) return TStyleKind::Instant;
  if (style >= 1 && style <= 57) return TStyleKind::RectangleCopy;
  if (style == 58 || style == 59 || style == 69 || style == 70 || (style >= 80 && style <= 85) ||
      (style >= 110 && style <= 117))
    return TStyleKind::RegionShape;
  if ((style >= 60 && style <= 68) || (style >= 71 && style <= 79) || (style >= 86 && style <= 109) ||
      (style >= 123 && style <= 127))
    return TStyleKind::StripRegion;
  if (style >= 118 && style <= 122) return TStyleKind::Pixel;
  return TStyleKind::Invalid;
}

// Step 4 of UpdateFrame for the region kinds (shape and strip families): builds the
// style's clip region R for this frame. Runs for every P, 0 and 100 included, so the
// random strip styles make their draws from the program-wide generator on every frame.
TRegion BuildStyleRegion(int style, const TFrameParams& f);

// Step 5 for region kinds with 0 < P < 100: draws src at (0, 0) onto dst through r.
void DrawThroughRegion(const TRegion& r, const TBitmap24& src, TBitmap24& dst);

// Step 4 for the pixel kinds (118..122): writes the frame directly (it starts as the
// old picture).
void DrawPixelStyle(int style, const TFrameParams& f, const TBitmap24& newBitmap, TBitmap24& frame);

}  // namespace scr
