#pragma once
// Frames onto the page's canvas: the 24-bit bitmap's part turned into the canvas's
// RGBA pixels and handed to the page.
#include <cstdint>
#include <vector>

#include "common/bitmap24.h"
#include "common/geometry.h"

namespace scr::platform::web {

class TWebPresenter {
 public:
  // Shows area (clipped to the frame) of frame; the canvas takes the frame's size.
  void Present(const TBitmap24& frame, const TRect& area);
  // Shows the last frame presented again, whole.
  void Refresh();

 private:
  const TBitmap24* last_ = nullptr;
  std::vector<uint8_t> rgba_;
};

// The RGBA bytes (alpha 255) of area of frame; area must lie inside the frame.
void ToRgba(const TBitmap24& frame, const TRect& area, std::vector<uint8_t>& out);

}  // namespace scr::platform::web
