#pragma once
// One effect as a short looping clip: the old picture, the transition at the saver's
// default Step and Delay, the new picture held, then back to the start.
#include <cstdint>
#include <span>
#include <vector>

#include "common/bitmap24.h"
#include "transition/stepping_defaults.h"

namespace scr::tool {

struct TClipTiming {
  int step = kDefaultStep;       // positions per frame
  int delayMs = kDefaultDelay;   // each transition frame
  int holdNewMs = 1000;  // the last frame, the new picture in full
};

// The positions the clip shows: 0, step, 2 step, ... and 100.
std::vector<int> ClipPositions(int step);

// The composed frame at each of ClipPositions(step), as a manual run of the picture
// show control draws it (see RenderTransitionFrame). Touches the program-wide random
// generator: one caller at a time.
std::vector<TBitmap24> RenderEffectFrames(const TBitmap24& oldPic, const TBitmap24& newPic, int style, int step);

// The frames as a lossless animated WebP, one animation frame per position.
std::vector<uint8_t> EncodeEffectClip(std::span<const TBitmap24> frames, const TClipTiming& timing);

}  // namespace scr::tool
