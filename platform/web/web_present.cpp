#include "platform/web/web_present.h"

#include <algorithm>
#include <cstring>

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

#include "platform/web/web_bridge.h"

namespace scr::platform::web {

namespace {

// One row: w pixels of B, G, R bytes into R, G, B, 255.
void RowToRgba(const uint8_t* s, uint8_t* d, int w) {
  int x = 0;
#if defined(__wasm_simd128__)
  // Four pixels at a time: the 16 bytes loaded hold the 12 of the four pixels; the
  // loop stops while 16 bytes still lie inside the row.
  const v128_t opaque = wasm_i32x4_splat(static_cast<int32_t>(0xFF000000u));
  for (; x + 6 <= w; x += 4, s += 12, d += 16) {
    const v128_t bgr = wasm_v128_load(s);
    const v128_t rgb = wasm_i8x16_shuffle(bgr, bgr, 2, 1, 0, 12, 5, 4, 3, 13, 8, 7, 6, 14, 11, 10, 9, 15);
    wasm_v128_store(d, wasm_v128_or(rgb, opaque));
  }
#endif
  for (; x < w; ++x, s += 3, d += 4) {
    const uint32_t px = 0xFF000000u | uint32_t{s[0]} << 16 | uint32_t{s[1]} << 8 | s[2];
    std::memcpy(d, &px, 4);  // little-endian: R, G, B, A in memory
  }
}

}  // namespace

void ToRgba(const TBitmap24& frame, const TRect& area, std::vector<uint8_t>& out) {
  const int w = area.Width(), h = area.Height();
  out.resize(static_cast<size_t>(w) * h * 4);
  uint8_t* d = out.data();
  for (int y = area.top; y < area.bottom; ++y, d += 4 * static_cast<size_t>(w))
    RowToRgba(frame.Row(y) + 3 * static_cast<size_t>(area.left), d, w);
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
