#include "saver/picture_layout.h"

#include <algorithm>

#include "common/random.h"
#include "saver/compose.h"

namespace scr::saver {

TFill FillFromSetting(int32_t fillMode) {
  return fillMode == 1 ? TFill::Blur : fillMode == 2 ? TFill::Crop : TFill::Colour;
}

TPictureLayout LayoutPicture(int w, int h, int sw, int sh, TFill fill, bool stretch) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return {};
  if (fill != TFill::Crop) {
    // Over the blurred copy a smaller picture is enlarged to fit as well: a picture a
    // little smaller than the screen would otherwise stand in thin bars of the copy.
    const TFitSize fit = FitPicture(w, h, sw, sh, stretch || fill == TFill::Blur);
    const int left = (sw - fit.width) / 2, top = (sh - fit.height) / 2;
    return {TRect{left, top, left + fit.width, top + fit.height}, WholeWindow(w, h)};
  }
  // The window has the screen's aspect and is as large as the picture allows.
  TFixedWindow window;
  if (int64_t{w} * sh > int64_t{h} * sw) {  // wider than the screen: cut the sides
    window.h = int64_t{h} * kFixedOne;
    window.w = window.h * sw / sh;
    window.x = (int64_t{w} * kFixedOne - window.w) / 2;
  } else {  // taller: cut top and bottom
    window.w = int64_t{w} * kFixedOne;
    window.h = window.w * sh / sw;
    window.y = h > w ? 0 : (int64_t{h} * kFixedOne - window.h) / 2;
  }
  return {TRect{0, 0, sw, sh}, window};
}

TMotion RandomMotion(int percent) {
  TMotion m;
  m.percent = std::clamp(percent, 0, 30);
  if (m.percent == 0) return m;
  m.zoomIn = Random(2) == 0;
  m.startX = Random(1001);
  m.startY = Random(1001);
  m.endX = Random(1001);
  m.endY = Random(1001);
  return m;
}

TFixedWindow MotionWindow(const TFixedWindow& base, const TMotion& motion, int32_t t) {
  if (motion.percent <= 0) return base;
  const int64_t u = std::clamp<int32_t>(t, 0, kMotionEnd);
  const int64_t zoomedIn = motion.zoomIn ? u : kMotionEnd - u;
  // Zoom in 1/100000: 1 .. 1 + percent / 100.
  const int64_t zoom = 100000 + motion.percent * 1000 * zoomedIn / kMotionEnd;
  TFixedWindow w;
  w.w = base.w * 100000 / zoom;
  w.h = base.h * 100000 / zoom;
  const int64_t fx = (motion.startX * (kMotionEnd - u) + motion.endX * u) / kMotionEnd;
  const int64_t fy = (motion.startY * (kMotionEnd - u) + motion.endY * u) / kMotionEnd;
  w.x = base.x + (base.w - w.w) * fx / 1000;
  w.y = base.y + (base.h - w.h) * fy / 1000;
  return w;
}

}  // namespace scr::saver
