#pragma once
// Values of one frame that every effect family reads (computed by UpdateFrame).

namespace scr {

struct TFrameParams {
  int W = 0;     // width of the new picture
  int H = 0;     // height of the new picture
  int P = 0;     // Progress, 0..100
  int X = 0;     // horizontal progress extent, 0..W
  int Y = 0;     // vertical progress extent, 0..H
  int G = 0;     // growth guard MulDiv(max(W, H), Step, 90)
  int Step = 4;  // the control's Step
};

}  // namespace scr
