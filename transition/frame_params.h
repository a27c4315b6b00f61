#pragma once
// Values of one frame that every effect family reads (computed by UpdateFrame).
#include "transition/stepping_defaults.h"

namespace scr {

struct TFrameParams {
  int W = 0;     // width of the new picture
  int H = 0;     // height of the new picture
  int P = 0;     // Progress, 0..100
  int X = 0;     // horizontal progress extent, 0..W
  int Y = 0;     // vertical progress extent, 0..H
  int G = 0;     // growth guard MulDiv(max(W, H), Step, 90)
  int Step = kDefaultStep;  // the control's Step
};

}  // namespace scr
