#include "platform/web/web_present.h"

#include <algorithm>

#include "platform/web/web_bridge.h"

namespace scr::platform::web {

void ToRgba(const TBitmap24& frame, const TRect& area, std::vector<uint8_t>& out) {
  const int w = area.Width(), h = area.Height();
  out.resize(static_cast<size_t>(w) * h * 4);
  uint8_t* d = out.data();
  for (int y = area.top; y < area.bottom; ++y) {
    const uint8_t* s = frame.Row(y) + 3 * area.left;
    for (int x = 0; x < w; ++x, s += 3, d += 4) {
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
      d[3] = 255;
    }
  }
}

void TWebPresenter::Present(const TBitmap24& frame, const TRect& area) {
  last_ = &frame;
  const TRect r{std::max(0, area.left), std::max(0, area.top), std::min(frame.Width(), area.right),
                std::min(frame.Height(), area.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) return;
  ToRgba(frame, r, rgba_);
  JsPresent(rgba_.data(), r.left, r.top, r.Width(), r.Height(), frame.Width(), frame.Height());
}

void TWebPresenter::Refresh() {
  if (last_) Present(*last_, last_->Bounds());
}

}  // namespace scr::platform::web
