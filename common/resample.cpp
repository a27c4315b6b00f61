#include "common/resample.h"

#include <algorithm>
#include <vector>

namespace scr {

namespace {

// Where each destination pixel of one axis samples: the lower source index and the
// 8-bit weight of the next one. start and extent are the window's, in 16.16.
struct TTaps {
  std::vector<int> index;   // lower source pixel, clamped to 0..size-1
  std::vector<int> next;    // upper source pixel, clamped likewise
  std::vector<uint16_t> weight;  // 0..256: the upper pixel's share
};

TTaps MakeTaps(int first, int count, int dstExtent, int64_t start, int64_t extent, int size) {
  TTaps t;
  t.index.resize(static_cast<size_t>(count));
  t.next.resize(static_cast<size_t>(count));
  t.weight.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    // Centre of destination pixel (first + i) in source units, minus half a pixel.
    const int64_t centre = start + (extent * (2 * int64_t{first + i} + 1)) / (2 * int64_t{dstExtent}) - kFixedOne / 2;
    const int64_t floorPixel = centre >= 0 ? centre / kFixedOne : -((-centre + kFixedOne - 1) / kFixedOne);
    const int64_t fraction = centre - floorPixel * kFixedOne;  // 0..65535
    const int64_t lo = std::clamp<int64_t>(floorPixel, 0, size - 1);
    const int64_t hi = std::clamp<int64_t>(floorPixel + 1, 0, size - 1);
    t.index[static_cast<size_t>(i)] = static_cast<int>(lo);
    t.next[static_cast<size_t>(i)] = static_cast<int>(hi);
    t.weight[static_cast<size_t>(i)] = static_cast<uint16_t>((fraction + 128) >> 8);
  }
  return t;
}

}  // namespace

void BilinearScale(TBitmap24& dst, const TRect& dstRect, const TBitmap24& src, const TFixedWindow& window) {
  if (src.Empty() || window.w <= 0 || window.h <= 0 || dstRect.Width() <= 0 || dstRect.Height() <= 0) return;
  const TRect clip{std::max(dstRect.left, 0), std::max(dstRect.top, 0), std::min(dstRect.right, dst.Width()),
                   std::min(dstRect.bottom, dst.Height())};
  if (clip.left >= clip.right || clip.top >= clip.bottom) return;
  const int cols = clip.right - clip.left, rows = clip.bottom - clip.top;
  const TTaps xs = MakeTaps(clip.left - dstRect.left, cols, dstRect.Width(), window.x, window.w, src.Width());
  const TTaps ys = MakeTaps(clip.top - dstRect.top, rows, dstRect.Height(), window.y, window.h, src.Height());
  // Byte offsets of the taps within a row.
  std::vector<int> x0(static_cast<size_t>(cols)), x1(static_cast<size_t>(cols));
  for (int i = 0; i < cols; ++i) {
    x0[static_cast<size_t>(i)] = 3 * xs.index[static_cast<size_t>(i)];
    x1[static_cast<size_t>(i)] = 3 * xs.next[static_cast<size_t>(i)];
  }
  for (int r = 0; r < rows; ++r) {
    const uint8_t* top = src.Row(ys.index[static_cast<size_t>(r)]);
    const uint8_t* bottom = src.Row(ys.next[static_cast<size_t>(r)]);
    const uint32_t wy = ys.weight[static_cast<size_t>(r)], wy0 = 256 - wy;
    uint8_t* out = dst.Row(clip.top + r) + 3 * clip.left;
    for (int i = 0; i < cols; ++i) {
      const uint32_t wx = xs.weight[static_cast<size_t>(i)], wx0 = 256 - wx;
      const uint8_t* a = top + x0[static_cast<size_t>(i)];
      const uint8_t* b = top + x1[static_cast<size_t>(i)];
      const uint8_t* c = bottom + x0[static_cast<size_t>(i)];
      const uint8_t* d = bottom + x1[static_cast<size_t>(i)];
      for (int k = 0; k < 3; ++k) {
        const uint32_t upper = a[k] * wx0 + b[k] * wx;  // 16.8
        const uint32_t lower = c[k] * wx0 + d[k] * wx;
        out[k] = static_cast<uint8_t>((upper * wy0 + lower * wy + 32768) >> 16);
      }
      out += 3;
    }
  }
}

TBitmap24 ReduceByBoxes(const TBitmap24& src, int factor) {
  factor = std::max(factor, 1);
  const int w = (src.Width() + factor - 1) / factor, h = (src.Height() + factor - 1) / factor;
  TBitmap24 out(w, h);
  std::vector<uint32_t> sums(static_cast<size_t>(w) * 3);
  std::vector<uint32_t> counts(static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    std::fill(counts.begin(), counts.end(), 0u);
    const int y1 = std::min(src.Height(), (y + 1) * factor);
    for (int sy = y * factor; sy < y1; ++sy) {
      const uint8_t* row = src.Row(sy);
      for (int sx = 0; sx < src.Width(); ++sx) {
        const size_t ox = static_cast<size_t>(sx / factor);
        sums[3 * ox] += row[3 * sx];
        sums[3 * ox + 1] += row[3 * sx + 1];
        sums[3 * ox + 2] += row[3 * sx + 2];
        ++counts[ox];
      }
    }
    uint8_t* o = out.Row(y);
    for (size_t x = 0; x < static_cast<size_t>(w); ++x)
      for (size_t k = 0; k < 3; ++k) o[3 * x + k] = static_cast<uint8_t>((sums[3 * x + k] + counts[x] / 2) / counts[x]);
  }
  return out;
}

}  // namespace scr
