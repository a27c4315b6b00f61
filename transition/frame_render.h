#pragma once
// One frame of a transition, rendered without a window: the control shows the old
// picture, then is driven by hand through the positions its automatic loop would
// step through, up to the one asked for.
#include <functional>

#include "common/bitmap24.h"
#include "transition/stepping_defaults.h"

namespace scr {

struct TFrameRenderOptions {
  int style = 51;
  int progress = 100;  // the position to reach
  int step = kDefaultStep;
  bool reverse = false;
};

// The control's client area is the pictures' size (they must be equal, else
// scr::Exception). It shows oldPic as its current picture; the program-wide random
// generator starts fresh; then a Manual run to newPic is executed and Progress is
// written in the order the automatic loop would write it from its start value, each
// value computed from the position reached, until the requested position: a value
// that would pass it is replaced by the position itself. onFrame sees every composed
// frame with its position. Returns FrameBitmap at the end.
TBitmap24 RenderTransitionFrame(const TBitmap24& oldPic, const TBitmap24& newPic, const TFrameRenderOptions& options,
                                const std::function<void(int progress, const TBitmap24& frame)>& onFrame = {});

}  // namespace scr
