#include "common/bitmap24.h"

#include <algorithm>
#include <cstring>

namespace scr {

void TBitmap24::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  stride_ = StrideFor(width_);
  data_.assign(stride_ * static_cast<size_t>(height_), 0);
}

void TBitmap24::FillRect(TRect r, uint32_t rgb) {
  r = Intersect(r, Bounds());
  if (r.IsEmpty()) return;
  const uint8_t b = static_cast<uint8_t>(rgb >> 16), g = static_cast<uint8_t>(rgb >> 8), red = static_cast<uint8_t>(rgb);
  uint8_t* first = Row(r.top) + 3 * r.left;
  for (int x = 0; x < r.Width(); ++x) {
    first[3 * x] = b;
    first[3 * x + 1] = g;
    first[3 * x + 2] = red;
  }
  const size_t bytes = 3 * static_cast<size_t>(r.Width());
  for (int y = r.top + 1; y < r.bottom; ++y) std::memcpy(Row(y) + 3 * r.left, first, bytes);
}

bool operator==(const TBitmap24& a, const TBitmap24& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  const size_t bytes = 3 * static_cast<size_t>(a.width_);
  for (int y = 0; y < a.height_; ++y)
    if (std::memcmp(a.Row(y), b.Row(y), bytes) != 0) return false;
  return true;
}

void DrawBitmap(TBitmap24& dst, int x, int y, const TBitmap24& src) {
  const TRect target = Intersect(TRect{x, y, x + src.Width(), y + src.Height()}, dst.Bounds());
  if (target.IsEmpty()) return;
  const size_t bytes = 3 * static_cast<size_t>(target.Width());
  for (int row = target.top; row < target.bottom; ++row)
    std::memcpy(dst.Row(row) + 3 * target.left, src.Row(row - y) + 3 * (target.left - x), bytes);
}

}  // namespace scr
