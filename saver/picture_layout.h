#pragma once
// Where a picture stands on the screen and which part of it shows, for the three fill
// modes, and the slow pan and zoom over that part while a picture is held.
#include <cstdint>

#include "common/geometry.h"
#include "common/resample.h"

namespace scr::saver {

enum class TFill : int32_t { Colour = 0, Blur = 1, Crop = 2 };

// FillMode as the show reads it: values it does not know count as the colour.
TFill FillFromSetting(int32_t fillMode);

struct TPictureLayout {
  TRect place;          // on the screen
  TFixedWindow window;  // the part of the picture drawn there
};

// Colour: the picture fitted as the show always fitted it, centred; blur: the same, a
// picture smaller than the screen enlarged to fit whatever lStretch says; crop: the
// picture scaled to cover the whole screen with its aspect kept, centred across, and
// a portrait picture (taller than wide) keeps its top rows, where faces are.
TPictureLayout LayoutPicture(int w, int h, int sw, int sh, TFill fill, bool stretch);

// The pan and zoom of one held picture: zoom between 1 and 1 + percent / 100, in or
// out, and a pan from one point of the room that zoom leaves to another.
struct TMotion {
  int percent = 0;       // 0: none
  bool zoomIn = true;
  int startX = 500, startY = 500, endX = 500, endY = 500;  // 0..1000 of the room
};

// Draws a motion from the program-wide generator (five draws when percent > 0, none
// otherwise), so a run repeats.
TMotion RandomMotion(int percent);

inline constexpr int32_t kMotionEnd = 65536;

// The part of `base` shown at time t (0..kMotionEnd across the hold): always inside
// base, base itself when the motion is none.
TFixedWindow MotionWindow(const TFixedWindow& base, const TMotion& motion, int32_t t);

}  // namespace scr::saver
