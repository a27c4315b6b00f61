#pragma once
// TRegion: a set of pixels stored as y-x banded rectangles with half-open edges.
//
// The region is a list of bands, sorted top to bottom and never overlapping; each band
// covers the rows [top, bottom) and holds a sorted list of disjoint, non-touching spans
// [left, right). Touching bands with equal spans are always merged, so every set of
// pixels has exactly one representation and two regions are equal when their bands are.
// A single rectangle is one band with one span (the fast path most operations test for).

#include <cstdint>
#include <span>
#include <vector>

#include "common/bitmap24.h"
#include "common/geometry.h"

namespace scr {

struct TSpan {
  int left = 0;
  int right = 0;
  friend bool operator==(const TSpan&, const TSpan&) = default;
};

struct TBand {
  int top = 0;
  int bottom = 0;
  uint32_t first = 0;  // index of the band's first span
  uint32_t count = 0;  // number of spans
};

enum class TRegionOp { Union, Intersect, Xor };

class TRegion {
 public:
  TRegion() = default;

  // The rectangle's pixels; an empty rectangle (right <= left or bottom <= top) gives
  // the empty region.
  static TRegion Rect(const TRect& r);
  // The rectangle spanned by two corners, taken in either order.
  static TRegion FromCorners(int x1, int y1, int x2, int y2);
  // The union of many rectangles, each first cut to clip; built in one sweep, so the
  // cost follows the number of rectangles and bands, not their pairs.
  static TRegion FromRects(std::span<const TRect> rects, const TRect& clip);

  bool Empty() const { return bands_.empty(); }
  bool IsRect() const { return bands_.size() == 1 && spans_.size() == 1; }
  // Smallest rectangle holding every pixel ((0,0,0,0) when empty).
  TRect Extents() const { return extents_; }
  bool Contains(int x, int y) const;
  // Number of pixels.
  int64_t Area() const;

  std::span<const TBand> Bands() const { return bands_; }
  std::span<const TSpan> Spans() const { return spans_; }
  std::span<const TSpan> SpansOf(const TBand& b) const { return {spans_.data() + b.first, b.count}; }

  // Set operations; the result replaces out's content and reuses its storage. out may
  // be a or b.
  static void Combine(const TRegion& a, const TRegion& b, TRegionOp op, TRegion& out);
  TRegion Union(const TRegion& other) const;
  TRegion Intersect(const TRegion& other) const;
  TRegion Xor(const TRegion& other) const;
  // Cuts the region to a rectangle (the bitmap's bounds, say).
  void ClipTo(const TRect& r);

  void Clear();
  // Makes the region the rectangle r, keeping the storage.
  void SetRect(const TRect& r);
  // True when the banding rules above hold; checked after every operation in debug
  // builds, and by the tests.
  bool Valid() const;

  friend bool operator==(const TRegion& a, const TRegion& b);

 private:
  friend class TRegionWriter;
  void ComputeExtents();

  std::vector<TBand> bands_;
  std::vector<TSpan> spans_;
  TRect extents_{};
};

// Appends rows top to bottom and merges touching rows with equal spans into one band.
// The spans of each call must be sorted, disjoint and non-touching.
class TRegionWriter {
 public:
  // Starts writing into out (its old content goes, its storage stays).
  explicit TRegionWriter(TRegion& out);
  ~TRegionWriter() { Finish(); }
  TRegionWriter(const TRegionWriter&) = delete;
  TRegionWriter& operator=(const TRegionWriter&) = delete;

  // Rows [top, bottom), top at or below the previous call's bottom.
  void AddBand(int top, int bottom, std::span<const TSpan> spans);
  // Adds one span to the band being built by BeginBand ... EndBand.
  void BeginBand() { pending_ = static_cast<uint32_t>(out_->spans_.size()); }
  void PushSpan(int left, int right);
  void EndBand(int top, int bottom);
  // Completes the region (computes its extents); called by the destructor too.
  void Finish();

 private:
  TRegion* out_;
  uint32_t pending_ = 0;
  bool finished_ = false;
};

// Builds the union of many rectangles in one top-to-bottom sweep. Keeps its scratch
// storage between calls, so a caller that builds a region every frame allocates only
// while its regions still grow.
class TRectUnion {
 public:
  void Build(std::span<const TRect> rects, const TRect& clip, TRegion& out);

 private:
  std::vector<TRect> rects_;
  std::vector<TRect> active_;
  std::vector<TRect> merged_;
  std::vector<int> edges_;
};

// Region constructors for the shape effects. Only the rows inside clip are built, and
// the result is cut to clip. A pixel belongs to a shape when its centre
// (x + 0.5, y + 0.5) lies inside the shape or on its boundary for the round corners;
// polygon edges follow the half-open rule (a centre on a left or top edge is inside, on
// a right or bottom edge outside), so shapes that share an edge never overlap or leave
// a gap. All tests use exact integer arithmetic.

// Appends the rows of a rectangle from (x1, y1) to (x2, y2) (either order) with every
// corner rounded by a quarter ellipse ew wide and eh high, the ellipse limited to the
// rectangle's width and height, as one rectangle per band of equal rows.
void AppendRoundRect(int x1, int y1, int x2, int y2, int ew, int eh, const TRect& clip,
                     std::vector<TRect>& out);
// The same as a region.
TRegion RoundRectRegion(int x1, int y1, int x2, int y2, int ew, int eh, const TRect& clip);

// Appends the rows of the closed polygon through points, filled with the nonzero
// winding rule.
void AppendPolygon(std::span<const TPoint> points, const TRect& clip, std::vector<TRect>& out);
TRegion TriangleRegion(TPoint p1, TPoint p2, TPoint p3, const TRect& clip);

// Copies src onto dst (both with their top-left at (0, 0)) where r holds, clipped to both
// bitmaps.
void DrawRegion(const TRegion& r, const TBitmap24& src, TBitmap24& dst);

}  // namespace scr
