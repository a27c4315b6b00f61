#include "common/box_blur.h"

#include <algorithm>
#include <vector>

namespace scr {

namespace {

// One box pass along a line of n pixels, `step` bytes apart, through a scratch copy.
void BlurLine(uint8_t* line, int n, size_t step, int radius, std::vector<uint8_t>& scratch) {
  scratch.resize(static_cast<size_t>(n) * 3);
  for (int i = 0; i < n; ++i)
    for (int k = 0; k < 3; ++k) scratch[3 * static_cast<size_t>(i) + k] = line[static_cast<size_t>(i) * step + k];
  const int window = 2 * radius + 1;
  auto at = [&](int i, int k) { return scratch[3 * static_cast<size_t>(std::clamp(i, 0, n - 1)) + k]; };
  for (int k = 0; k < 3; ++k) {
    uint32_t sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += at(i, k);
    for (int i = 0; i < n; ++i) {
      line[static_cast<size_t>(i) * step + k] = static_cast<uint8_t>((sum + window / 2) / window);
      sum += at(i + radius + 1, k);
      sum -= at(i - radius, k);
    }
  }
}

}  // namespace

void BoxBlur(TBitmap24& bmp, int radius, int passes) {
  if (radius <= 0 || passes <= 0 || bmp.Empty()) return;
  std::vector<uint8_t> scratch;
  const size_t stride = bmp.Height() > 1 ? static_cast<size_t>(bmp.Row(1) - bmp.Row(0)) : 0;
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < bmp.Height(); ++y) BlurLine(bmp.Row(y), bmp.Width(), 3, radius, scratch);
    for (int x = 0; x < bmp.Width(); ++x) BlurLine(bmp.Row(0) + 3 * static_cast<size_t>(x), bmp.Height(), stride, radius, scratch);
  }
}

void Darken(TBitmap24& bmp, int numerator) {
  numerator = std::clamp(numerator, 0, 256);
  for (int y = 0; y < bmp.Height(); ++y) {
    uint8_t* row = bmp.Row(y);
    for (int i = 0; i < 3 * bmp.Width(); ++i) row[i] = static_cast<uint8_t>((row[i] * numerator) >> 8);
  }
}

}  // namespace scr
