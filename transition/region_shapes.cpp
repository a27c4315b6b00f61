// Rasterisers for rounded rectangles and polygons. Everything is computed in doubled
// integer coordinates, where pixel centres are odd numbers, so the result is exact and
// the same on every build.

#include <algorithm>
#include <climits>
#include <cmath>

#include "transition/region.h"

namespace scr {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  int64_t q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

int64_t CeilDiv(int64_t a, int64_t b) {  // b > 0
  int64_t q = a / b;
  if ((a % b != 0) && (a > 0)) ++q;
  return q;
}

int ClampInt(int64_t v, int lo, int hi) { return static_cast<int>(std::clamp<int64_t>(v, lo, hi)); }

// Collects one span per row and merges runs of equal rows into one rectangle.
class TRowRun {
 public:
  explicit TRowRun(std::vector<TRect>& out) : out_(out) {}
  ~TRowRun() { Flush(); }
  void Add(int y, int left, int right) {
    if (right <= left) {
      Flush();
      return;
    }
    if (open_ && run_.bottom == y && run_.left == left && run_.right == right) {
      run_.bottom = y + 1;
      return;
    }
    Flush();
    run_ = TRect{left, y, right, y + 1};
    open_ = true;
  }
  void Flush() {
    if (open_) out_.push_back(run_);
    open_ = false;
  }

 private:
  std::vector<TRect>& out_;
  TRect run_{};
  bool open_ = false;
};

// Largest t >= 0 with t^2 * eh^2 <= ew^2 * s (the doubled half-width of an ellipse row).
int64_t EllipseHalfWidth(int64_t ew, int64_t eh, int64_t s) {
  const double approx = std::floor(static_cast<double>(ew) * std::sqrt(static_cast<double>(s)) / static_cast<double>(eh));
  int64_t t = static_cast<int64_t>(approx);
  if (t < 0) t = 0;
  if (t > ew) t = ew;
  // The exact correction needs (ew * eh)^2 to fit; beyond that (pictures far larger
  // than any screen) the floating-point value stands.
  if (ew * eh > 3000000000LL) return t;
  const int64_t limit = ew * ew * s;
  while (t < ew && (t + 1) * (t + 1) * eh * eh <= limit) ++t;
  while (t > 0 && t * t * eh * eh > limit) --t;
  return t;
}

// Builds a region from rows that are sorted by top and do not overlap vertically.
TRegion RegionFromRows(const std::vector<TRect>& rows) {
  TRegion g;
  TRegionWriter w(g);
  for (const TRect& r : rows) {
    const TSpan s{r.left, r.right};
    w.AddBand(r.top, r.bottom, std::span<const TSpan>(&s, 1));
  }
  w.Finish();
  return g;
}

}  // namespace

void AppendRoundRect(int x1, int y1, int x2, int y2, int ew, int eh, const TRect& clip, std::vector<TRect>& out) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const int64_t width = static_cast<int64_t>(x2) - x1, height = static_cast<int64_t>(y2) - y1;
  if (width == 0 || height == 0) return;
  const int64_t a = std::clamp<int64_t>(ew, 0, width);
  const int64_t b = std::clamp<int64_t>(eh, 0, height);
  const int top = std::max(y1, clip.top), bottom = std::min(y2, clip.bottom);
  const int cl = std::max(x1, clip.left), cr = std::min(x2, clip.right);
  if (top >= bottom || cl >= cr) return;
  if (a == 0 || b == 0) {
    out.push_back(TRect{cl, top, cr, bottom});
    return;
  }
  // Doubled centres of the corner ellipses.
  const int64_t cxL = 2 * static_cast<int64_t>(x1) + a, cxR = 2 * static_cast<int64_t>(x2) - a;
  const int64_t cyT = 2 * static_cast<int64_t>(y1) + b, cyB = 2 * static_cast<int64_t>(y2) - b;
  TRowRun run(out);
  for (int y = top; y < bottom; ++y) {
    const int64_t yc = 2 * static_cast<int64_t>(y) + 1;
    int64_t dy = 0;
    if (yc < cyT) dy = cyT - yc;
    else if (yc > cyB) dy = yc - cyB;
    if (dy == 0) {
      run.Add(y, cl, cr);
      continue;
    }
    const int64_t s = b * b - dy * dy;
    if (s < 0) {
      run.Add(y, 0, 0);
      continue;
    }
    const int64_t t = EllipseHalfWidth(a, b, s);
    // Pixel x is inside when its doubled centre 2x + 1 lies within cxL - t .. cxR + t.
    const int64_t left = CeilDiv(cxL - t - 1, 2);
    const int64_t right = FloorDiv(cxR + t - 1, 2) + 1;
    run.Add(y, ClampInt(left, cl, cr), ClampInt(right, cl, cr));
  }
  run.Flush();
}

TRegion RoundRectRegion(int x1, int y1, int x2, int y2, int ew, int eh, const TRect& clip) {
  std::vector<TRect> rows;
  AppendRoundRect(x1, y1, x2, y2, ew, eh, clip, rows);
  return RegionFromRows(rows);
}

void AppendPolygon(std::span<const TPoint> points, const TRect& clip, std::vector<TRect>& out) {
  const size_t n = points.size();
  if (n < 3) return;
  int ymin = INT_MAX, ymax = INT_MIN;
  for (const TPoint& p : points) {
    ymin = std::min(ymin, p.y);
    ymax = std::max(ymax, p.y);
  }
  const int top = std::max(ymin, clip.top), bottom = std::min(ymax, clip.bottom);
  if (top >= bottom || clip.left >= clip.right) return;

  struct TCrossing {
    int64_t x;
    int dir;
  };
  // Small polygons (the effects use triangles) keep their per-row lists on the stack.
  constexpr size_t kSmall = 8;
  TCrossing xsSmall[kSmall];
  TSpan spansSmall[kSmall / 2];
  std::vector<TCrossing> xsBig;
  std::vector<TSpan> spansBig;
  if (n > kSmall) {
    xsBig.resize(n);
    spansBig.resize(n / 2 + 1);
  }
  TCrossing* const xsData = n > kSmall ? xsBig.data() : xsSmall;
  TSpan* const spanData = n > kSmall ? spansBig.data() : spansSmall;
  size_t nx = 0, nspans = 0;
  // Rows of a convex polygon hold one span and merge into runs; rows with several
  // spans are written one row high.
  TRowRun run(out);
  for (int y = top; y < bottom; ++y) {
    const int64_t yc = 2 * static_cast<int64_t>(y) + 1;
    nx = 0;
    for (size_t k = 0; k < n; ++k) {
      TPoint p = points[k], q = points[(k + 1) % n];
      if (p.y == q.y) continue;
      int dir = 1;
      if (p.y > q.y) {
        std::swap(p, q);
        dir = -1;
      }
      // The row's centre line crosses the edge when 2 p.y < yc < 2 q.y (yc is odd).
      if (yc < 2 * static_cast<int64_t>(p.y) || yc > 2 * static_cast<int64_t>(q.y)) continue;
      const int64_t dy = static_cast<int64_t>(q.y) - p.y;
      const int64_t num = 2 * static_cast<int64_t>(p.x) * dy + (yc - 2 * static_cast<int64_t>(p.y)) * (static_cast<int64_t>(q.x) - p.x);
      // Crossing at xc = num / (2 dy); the first pixel whose centre is at or right of
      // it is ceil(xc - 1/2).
      xsData[nx++] = TCrossing{CeilDiv(num - dy, 2 * dy), dir};
    }
    // Insertion sort: a row crosses few edges (two for a triangle).
    for (size_t k = 1; k < nx; ++k) {
      const TCrossing c = xsData[k];
      size_t m = k;
      for (; m > 0 && xsData[m - 1].x > c.x; --m) xsData[m] = xsData[m - 1];
      xsData[m] = c;
    }
    nspans = 0;
    int winding = 0;
    int64_t start = 0;
    for (size_t k = 0; k < nx;) {
      const int64_t x = xsData[k].x;
      const bool before = winding != 0;
      while (k < nx && xsData[k].x == x) winding += xsData[k++].dir;
      const bool after = winding != 0;
      if (!before && after) start = x;
      if (before && !after) {
        const int l = ClampInt(start, clip.left, clip.right), r = ClampInt(x, clip.left, clip.right);
        if (l < r) spanData[nspans++] = TSpan{l, r};
      }
    }
    if (nspans == 1) {
      run.Add(y, spanData[0].left, spanData[0].right);
    } else {
      run.Flush();
      for (size_t k = 0; k < nspans; ++k) out.push_back(TRect{spanData[k].left, y, spanData[k].right, y + 1});
    }
  }
  run.Flush();
}

TRegion TriangleRegion(TPoint p1, TPoint p2, TPoint p3, const TRect& clip) {
  const TPoint pts[3] = {p1, p2, p3};
  std::vector<TRect> rows;
  AppendPolygon(pts, clip, rows);
  return TRegion::FromRects(rows, clip);
}

}  // namespace scr
