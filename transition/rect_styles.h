#pragma once
// The rectangle-copy effects, styles 1 to 57: per frame, the destination rectangle D
// and source rectangle S of the final copy, and up to three further copies made first.
#include <array>
#include <cstdint>

#include "common/geometry.h"
#include "transition/frame_params.h"

namespace scr {

// One copy from the new picture onto the frame, made before the final one.
struct TFurtherCopy {
  TRect dst;                     // D'
  TRect src;                     // S'
  bool mirrorLeftRight = false;  // made through MirrorCopy (the fold bands)
  bool mirrorTopBottom = false;
  friend bool operator==(const TFurtherCopy&, const TFurtherCopy&) = default;
};

struct TRectStylePlan {
  std::array<TFurtherCopy, 3> further{};
  int furtherCount = 0;
  TRect D;  // where S of the new picture goes (scaled when the sizes differ)
  TRect S;
};

// The plan of rectangle style `style` (1..57) for frame f. Other numbers give D = S =
// (0, 0, W, H) and no further copies.
TRectStylePlan PlanRectangleStyle(int style, const TFrameParams& f);

// Width (or height, for the vertical folds) of the mirrored band of the fold styles:
// half the extent at the start, a tenth of the side in the middle part of the run,
// half the remaining side at the end.
int FoldBand(int extent, int side);

}  // namespace scr
