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

// Moves a pixel as one 4-byte word: the fourth byte written belongs to the next pixel
// of the row, which is written after it; the fourth byte read must exist.
inline void CopyPixelWide(uint8_t* out, const uint8_t* in) { std::memcpy(out, in, 4); }

// Columns are gathered in chunks whose source offsets sit on the stack, so a copy
// never allocates.
constexpr int kChunk = 2048;

// Copies n >= 8 bytes as 8-byte words, the last word ending exactly at the end.
inline void CopyWords(uint8_t* out, const uint8_t* in, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) std::memcpy(out + i, in + i, 8);
  if (i < n) std::memcpy(out + n - 8, in + n - 8, 8);
}

// The source map of a chunk of destination columns, worked out once per copy: each
// column's byte offset into a source row, and the runs of columns that take adjacent
// source pixels (a picture shrunk by less than a third is mostly such runs, which are
// copied as words rather than pixel by pixel). `wideFirst` and `wideLast` bound the
// columns whose pixel may be read as a 4-byte word: every one but those of the source
// row's last pixel when no padding follows it.
struct TColumnMap {
  struct TRun {
    int first, length;
  };
  int offsets[kChunk];
  TRun runs[kChunk];
  int count = 0, runCount = 0;
  int wideFirst = 0, wideLast = 0;

  void Fill(const AxisMap& map, int c0, int c1, const TBitmap24& src) {
    count = c1 - c0;
    runCount = 0;
    for (int x = c0; x < c1; ++x) {
      const int k = x - c0;
      offsets[k] = 3 * static_cast<int>(map(x));
      if (k > 0 && offsets[k] == offsets[k - 1] + 3)
        ++runs[runCount - 1].length;
      else
        runs[runCount++] = TRun{k, 1};
    }
    const size_t lastWide = src.Stride() - 4;  // the last offset a 4-byte read may start at
    wideFirst = 0;
    wideLast = count;
    if (map.mirrored)
      while (wideFirst < count && static_cast<size_t>(offsets[wideFirst]) > lastWide) ++wideFirst;
    else
      while (wideLast > 0 && static_cast<size_t>(offsets[wideLast - 1]) > lastWide) --wideLast;
  }

  // One destination row of the chunk from source row `in`. Nothing outside the
  // chunk's pixels is written: the last pixel of the chunk is written narrow.
  void Gather(uint8_t* out, const uint8_t* in) const {
    const int wideEnd = std::min(wideLast, count - 1);
    auto pixels = [&](int k, int end) {
      const int a = std::min(std::max(k, wideFirst), end), b = std::max(std::min(end, wideEnd), a);
      for (; k < a; ++k) CopyPixel(out + 3 * k, in + offsets[k]);
      for (; k < b; ++k) CopyPixelWide(out + 3 * k, in + offsets[k]);
      for (; k < end; ++k) CopyPixel(out + 3 * k, in + offsets[k]);
    };
    if (runCount * 3 > count) return pixels(0, count);  // runs too short to pay
    for (int r = 0; r < runCount; ++r) {
      const TRun run = runs[r];
      if (run.length >= 3)
        CopyWords(out + 3 * run.first, in + offsets[run.first], 3 * static_cast<size_t>(run.length));
      else
        pixels(run.first, run.first + run.length);
    }
  }
};

// The parts of a destination row outside [xa, xb) come from the same row of `under`.
void CopyOutside(uint8_t* out, const uint8_t* under, int xa, int xb, int width) {
  std::memcpy(out, under, 3 * static_cast<size_t>(xa));
  std::memcpy(out + 3 * xb, under + 3 * xb, 3 * static_cast<size_t>(width - xb));
}

void Copy(TBitmap24& dst, TExtentRect d, const TBitmap24& src, TExtentRect s, const TBitmap24* under) {
  // With `under`, every destination pixel the copy leaves alone is taken from it.
  auto plain = [&] {
    if (under) DrawBitmap(dst, 0, 0, *under);
  };
  if (d.cx == 0 || d.cy == 0 || s.cx == 0 || s.cy == 0 || dst.Empty() || src.Empty()) return plain();
  // Coordinates that far out describe nothing drawable; refusing them keeps every
  // product of the mapping well inside 64 bits.
  constexpr int kFar = 1 << 30;
  for (int v : {d.x, d.y, d.cx, d.cy, s.x, s.y, s.cx, s.cy})
    if (v > kFar || v < -kFar) return plain();
  const Axis dx = Normalise(d.x, d.cx), dy = Normalise(d.y, d.cy);
  const Axis sx = Normalise(s.x, s.cx), sy = Normalise(s.y, s.cy);
  const int x0 = static_cast<int>(std::max<int64_t>(dx.start, 0));
  const int x1 = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(dx.start) + dx.count, dst.Width()));
  const int y0 = static_cast<int>(std::max<int64_t>(dy.start, 0));
  const int y1 = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(dy.start) + dy.count, dst.Height()));
  if (x0 >= x1 || y0 >= y1) return plain();

  const AxisMap xmap(dx, sx), ymap(dy, sy);
  int xa = 0, xb = 0, ya = 0, yb = 0;
  if (!ValidRun(xmap, x0, x1, src.Width(), xa, xb) || !ValidRun(ymap, y0, y1, src.Height(), ya, yb)) return plain();

  const int width = dst.Width();
  // Rows above and below the copied ones.
  if (under) {
    const size_t rowBytes = 3 * static_cast<size_t>(width);
    for (int y = 0; y < ya; ++y) std::memcpy(dst.Row(y), under->Row(y), rowBytes);
    for (int y = yb; y < dst.Height(); ++y) std::memcpy(dst.Row(y), under->Row(y), rowBytes);
  }

  const bool sameWidth = dx.count == sx.count;
  if (sameWidth && !xmap.mirrored) {
    // Rows are plain spans of the source.
    const int srcX = static_cast<int>(xmap(xa));
    const size_t bytes = 3 * static_cast<size_t>(xb - xa);
    for (int y = ya; y < yb; ++y) {
      if (under) CopyOutside(dst.Row(y), under->Row(y), xa, xb, width);
      std::memcpy(dst.Row(y) + 3 * xa, src.Row(static_cast<int>(ymap(y))) + 3 * srcX, bytes);
    }
    return;
  }
  if (sameWidth) {
    // Mirrored rows at full size: walk the source backwards.
    const int srcX = static_cast<int>(xmap(xa));
    for (int y = ya; y < yb; ++y) {
      if (under) CopyOutside(dst.Row(y), under->Row(y), xa, xb, width);
      const uint8_t* in = src.Row(static_cast<int>(ymap(y))) + 3 * srcX;
      uint8_t* out = dst.Row(y) + 3 * xa;
      for (int x = xa; x < xb; ++x, out += 3, in -= 3) CopyPixel(out, in);
    }
    return;
  }

  // Scaled columns: the source map of each chunk of destination columns, gathered row
  // by row; a magnified row repeats the one above it.
  TColumnMap map;
  if (under)
    for (int y = ya; y < yb; ++y) CopyOutside(dst.Row(y), under->Row(y), xa, xb, width);
  for (int c0 = xa; c0 < xb; c0 += kChunk) {
    const int c1 = std::min(xb, c0 + kChunk);
    map.Fill(xmap, c0, c1, src);
    const size_t bytes = 3 * static_cast<size_t>(c1 - c0);
    int64_t previous = -1;
    for (int y = ya; y < yb; ++y) {
      const int64_t row = ymap(y);
      uint8_t* out = dst.Row(y) + 3 * c0;
      if (row == previous) {
        std::memcpy(out, out - dst.Stride(), bytes);
        continue;
      }
      previous = row;
      map.Gather(out, src.Row(static_cast<int>(row)));
    }
  }
}

}  // namespace

void StretchCopy(TBitmap24& dst, TExtentRect d, const TBitmap24& src, TExtentRect s) { Copy(dst, d, src, s, nullptr); }

void StretchCopyOver(TBitmap24& dst, const TBitmap24& under, TExtentRect d, const TBitmap24& src, TExtentRect s) {
  if (&under == &dst) return Copy(dst, d, src, s, nullptr);
  if (under.Width() != dst.Width() || under.Height() != dst.Height()) {
    DrawBitmap(dst, 0, 0, under);
    Copy(dst, d, src, s, nullptr);
    return;
  }
  Copy(dst, d, src, s, &under);
}

}  // namespace scr
