#include "common/stretch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace scr {
namespace {

// Normalises an extent to a start and a positive count; reports whether it was negative.
struct Axis {
  int start;
  int count;
  bool negative;
};

Axis Normalise(int origin, int extent) {
  if (extent >= 0) return Axis{origin, extent, false};
  // A negative extent covers the pixels origin + extent + 1 .. origin.
  return Axis{origin + extent + 1, -extent, true};
}

// For each destination pixel of the visible range [lo, hi) of a destination axis,
// the source coordinate, or -1 where it falls outside the source.
void BuildMap(const Axis& d, const Axis& s, int lo, int hi, int srcLimit, std::vector<int>& map) {
  map.resize(static_cast<size_t>(std::max(hi - lo, 0)));
  const bool mirrored = d.negative != s.negative;
  const int64_t n = d.count, m = s.count;
  for (int pos = lo; pos < hi; ++pos) {
    int64_t i = pos - d.start;
    if (mirrored) i = n - 1 - i;
    const int64_t src = s.start + (2 * i + 1) * m / (2 * n);
    map[static_cast<size_t>(pos - lo)] = (src >= 0 && src < srcLimit) ? static_cast<int>(src) : -1;
  }
}

}  // namespace

void StretchCopy(TBitmap24& dst, TExtentRect d, const TBitmap24& src, TExtentRect s) {
  if (d.cx == 0 || d.cy == 0 || s.cx == 0 || s.cy == 0 || dst.Empty() || src.Empty()) return;
  const Axis dx = Normalise(d.x, d.cx), dy = Normalise(d.y, d.cy);
  const Axis sx = Normalise(s.x, s.cx), sy = Normalise(s.y, s.cy);
  const int x0 = std::max(dx.start, 0), x1 = std::min(dx.start + dx.count, dst.Width());
  const int y0 = std::max(dy.start, 0), y1 = std::min(dy.start + dy.count, dst.Height());
  if (x0 >= x1 || y0 >= y1) return;
  std::vector<int> xmap, ymap;
  BuildMap(dx, sx, x0, x1, src.Width(), xmap);
  BuildMap(dy, sy, y0, y1, src.Height(), ymap);
  for (int y = y0; y < y1; ++y) {
    const int syv = ymap[static_cast<size_t>(y - y0)];
    if (syv < 0) continue;
    const uint8_t* in = src.Row(syv);
    uint8_t* out = dst.Row(y) + 3 * x0;
    for (int x = x0; x < x1; ++x, out += 3) {
      const int sxv = xmap[static_cast<size_t>(x - x0)];
      if (sxv < 0) continue;
      const uint8_t* p = in + 3 * sxv;
      out[0] = p[0];
      out[1] = p[1];
      out[2] = p[2];
    }
  }
}

}  // namespace scr
