#include "common/stretch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace scr {
namespace {

// An extent normalised to a start and a positive count; negative tells whether it was
// given with a negative extent.
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

// Maps destination pixels of one axis to source pixels: destination pixel i (counted
// from the start of the destination extent, reversed when mirrored) of n pixels takes
// source pixel s.start + floor((2i + 1) * m / (2n)) of m pixels.
struct AxisMap {
  int64_t dstStart, n, srcStart, m;
  bool mirrored;

  AxisMap(const Axis& d, const Axis& s)
      : dstStart(d.start), n(d.count), srcStart(s.start), m(s.count), mirrored(d.negative != s.negative) {}

  int64_t operator()(int64_t pos) const {
    int64_t i = pos - dstStart;
    if (mirrored) i = n - 1 - i;
    return srcStart + (2 * i + 1) * m / (2 * n);
  }
};

// The destination positions of [lo, hi) whose source pixel lies in [0, limit). The
// mapping is monotonic, so they form one run; returns false when there is none.
bool ValidRun(const AxisMap& map, int lo, int hi, int limit, int& first, int& last) {
  // Binary searches on the monotonic map for the first and one past the last position
  // whose source is inside.
  const bool increasing = !map.mirrored;
  auto inside = [&](int pos) {
    const int64_t s = map(pos);
    return s >= 0 && s < limit;
  };
  // "before" holds for positions ahead of the valid run, "after" for those past it.
  auto before = [&](int pos) { return increasing ? map(pos) < 0 : map(pos) >= limit; };
  auto after = [&](int pos) { return increasing ? map(pos) >= limit : map(pos) < 0; };
  int a = lo, b = hi;  // first position not "before"
  while (a < b) {
    const int mid = a + (b - a) / 2;
    if (before(mid)) a = mid + 1; else b = mid;
  }
  int c = a, e = hi;  // first position "after"
  while (c < e) {
    const int mid = c + (e - c) / 2;
    if (after(mid)) e = mid; else c = mid + 1;
  }
  if (a >= c || !inside(a)) return false;
  first = a;
  last = c;
  return true;
}

inline void CopyPixel(uint8_t* out, const uint8_t* in) {
  out[0] = in[0];
  out[1] = in[1];
  out[2] = in[2];
}

// Columns are gathered in chunks whose source offsets sit on the stack, so a copy
// never allocates.
constexpr int kChunk = 2048;

}  // namespace

void StretchCopy(TBitmap24& dst, TExtentRect d, const TBitmap24& src, TExtentRect s) {
  if (d.cx == 0 || d.cy == 0 || s.cx == 0 || s.cy == 0 || dst.Empty() || src.Empty()) return;
  // Coordinates that far out describe nothing drawable; refusing them keeps every
  // product of the mapping well inside 64 bits.
  constexpr int kFar = 1 << 30;
  for (int v : {d.x, d.y, d.cx, d.cy, s.x, s.y, s.cx, s.cy})
    if (v > kFar || v < -kFar) return;
  const Axis dx = Normalise(d.x, d.cx), dy = Normalise(d.y, d.cy);
  const Axis sx = Normalise(s.x, s.cx), sy = Normalise(s.y, s.cy);
  const int x0 = static_cast<int>(std::max<int64_t>(dx.start, 0));
  const int x1 = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(dx.start) + dx.count, dst.Width()));
  const int y0 = static_cast<int>(std::max<int64_t>(dy.start, 0));
  const int y1 = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(dy.start) + dy.count, dst.Height()));
  if (x0 >= x1 || y0 >= y1) return;

  const AxisMap xmap(dx, sx), ymap(dy, sy);
  int xa = 0, xb = 0, ya = 0, yb = 0;
  if (!ValidRun(xmap, x0, x1, src.Width(), xa, xb) || !ValidRun(ymap, y0, y1, src.Height(), ya, yb)) return;

  const bool sameWidth = dx.count == sx.count;
  if (sameWidth && !xmap.mirrored) {
    // Rows are plain spans of the source.
    const int srcX = static_cast<int>(xmap(xa));
    const size_t bytes = 3 * static_cast<size_t>(xb - xa);
    for (int y = ya; y < yb; ++y)
      std::memcpy(dst.Row(y) + 3 * xa, src.Row(static_cast<int>(ymap(y))) + 3 * srcX, bytes);
    return;
  }
  if (sameWidth) {
    // Mirrored rows at full size: walk the source backwards.
    const int srcX = static_cast<int>(xmap(xa));
    for (int y = ya; y < yb; ++y) {
      const uint8_t* in = src.Row(static_cast<int>(ymap(y))) + 3 * srcX;
      uint8_t* out = dst.Row(y) + 3 * xa;
      for (int x = xa; x < xb; ++x, out += 3, in -= 3) CopyPixel(out, in);
    }
    return;
  }

  // Scaled columns: a table of source byte offsets per chunk of destination columns.
  int offsets[kChunk];
  for (int c0 = xa; c0 < xb; c0 += kChunk) {
    const int c1 = std::min(xb, c0 + kChunk);
    for (int x = c0; x < c1; ++x) offsets[x - c0] = 3 * static_cast<int>(xmap(x));
    const size_t bytes = 3 * static_cast<size_t>(c1 - c0);
    int64_t previous = -1;
    for (int y = ya; y < yb; ++y) {
      const int64_t row = ymap(y);
      uint8_t* out = dst.Row(y) + 3 * c0;
      if (row == previous) {
        // A magnified row repeats the one above it.
        std::memcpy(out, out - dst.Stride(), bytes);
        continue;
      }
      previous = row;
      const uint8_t* in = src.Row(static_cast<int>(row));
      const int count = c1 - c0;
      for (int k = 0; k < count; ++k, out += 3) CopyPixel(out, in + offsets[k]);
    }
  }
}

}  // namespace scr
