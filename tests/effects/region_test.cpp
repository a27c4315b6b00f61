#include "transition/region.h"

#include <gtest/gtest.h>

#include <random>

#include "region_oracle.h"

namespace scr {
namespace {

using test::TMask;
using test::TestSeeds;

constexpr TRect kWindow{-12, -12, 60, 52};

bool InsideWindow(const TRegion& r) {
  const TRect e = r.Extents();
  return r.Empty() || (e.left >= kWindow.left && e.top >= kWindow.top && e.right <= kWindow.right &&
                       e.bottom <= kWindow.bottom);
}

TRect RandomRect(std::mt19937& rng, TRect area) {
  std::uniform_int_distribution<int> x(area.left, area.right), y(area.top, area.bottom);
  int x1 = x(rng), x2 = x(rng), y1 = y(rng), y2 = y(rng);
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  return TRect{x1, y1, x2, y2};
}

// A random region inside the window and its bitmask, built from a few rectangles and
// set operations, so that results have many bands and spans.
std::pair<TRegion, TMask> RandomRegion(std::mt19937& rng) {
  const TRect area{-10, -10, 58, 50};
  TRegion r;
  TMask m(kWindow);
  const int pieces = std::uniform_int_distribution<int>(0, 6)(rng);
  for (int k = 0; k < pieces; ++k) {
    const TRect q = RandomRect(rng, area);
    const TRegion g = TRegion::Rect(q);
    const int op = std::uniform_int_distribution<int>(0, 2)(rng);
    const TRegionOp o = op == 0 ? TRegionOp::Union : op == 1 ? TRegionOp::Xor : TRegionOp::Intersect;
    // Intersections would soon leave nothing: use them on every third piece only.
    const TRegionOp use = (o == TRegionOp::Intersect && k % 3 != 2) ? TRegionOp::Union : o;
    TRegion::Combine(r, g, use, r);
    for (int y = kWindow.top; y < kWindow.bottom; ++y)
      for (int x = kWindow.left; x < kWindow.right; ++x) {
        const bool a = m.Get(x, y);
        const bool b = x >= q.left && x < q.right && y >= q.top && y < q.bottom;
        m.Set(x, y, use == TRegionOp::Union ? (a || b) : use == TRegionOp::Xor ? (a != b) : (a && b));
      }
  }
  return {std::move(r), std::move(m)};
}

TEST(RegionBasics, RectanglesEmptinessAndCorners) {
  EXPECT_TRUE(TRegion().Empty());
  EXPECT_TRUE(TRegion::Rect(TRect{5, 5, 5, 9}).Empty());
  EXPECT_TRUE(TRegion::Rect(TRect{7, 5, 3, 9}).Empty());
  const TRegion r = TRegion::Rect(TRect{2, 3, 6, 8});
  EXPECT_TRUE(r.IsRect());
  EXPECT_EQ(r.Area(), 20);
  EXPECT_TRUE(r.Contains(2, 3));
  EXPECT_FALSE(r.Contains(6, 3));  // right and bottom are exclusive
  EXPECT_FALSE(r.Contains(2, 8));
  EXPECT_EQ(TRegion::FromCorners(6, 8, 2, 3), r);  // corners in either order
  EXPECT_EQ(TRegion::FromCorners(2, 8, 6, 3), r);
}

TEST(RegionBasics, EqualSetsHaveOneRepresentation) {
  // Two halves side by side, or stacked, merge into the single rectangle.
  const TRegion whole = TRegion::Rect(TRect{0, 0, 10, 10});
  EXPECT_EQ(TRegion::Rect(TRect{0, 0, 4, 10}).Union(TRegion::Rect(TRect{4, 0, 10, 10})), whole);
  EXPECT_EQ(TRegion::Rect(TRect{0, 0, 10, 3}).Union(TRegion::Rect(TRect{0, 3, 10, 10})), whole);
  EXPECT_TRUE(whole.Xor(whole).Empty());
  // An L shape built in two different ways.
  const TRegion a = TRegion::Rect(TRect{0, 0, 10, 10}).Xor(TRegion::Rect(TRect{5, 5, 10, 10}));
  const TRegion b = TRegion::Rect(TRect{0, 5, 5, 10}).Union(TRegion::Rect(TRect{0, 0, 10, 5}));
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.Bands().size(), 2u);
  EXPECT_EQ(a.Area(), 75);
}

TEST(RegionSetOps, MatchTheBitmaskOnRandomInputs) {
  for (uint32_t seed : TestSeeds(300)) {
    SCOPED_TRACE("SCR_REGION_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    auto [a, ma] = RandomRegion(rng);
    auto [b, mb] = RandomRegion(rng);
    ASSERT_TRUE(InsideWindow(a) && InsideWindow(b));
    EXPECT_REGION_MATCHES(a, ma);
    const auto both = [&](auto f) {
      return TMask::Where(kWindow, [&](int x, int y) { return f(ma.Get(x, y), mb.Get(x, y)); });
    };
    EXPECT_REGION_MATCHES(a.Union(b), both([](bool p, bool q) { return p || q; }));
    EXPECT_REGION_MATCHES(a.Intersect(b), both([](bool p, bool q) { return p && q; }));
    EXPECT_REGION_MATCHES(a.Xor(b), both([](bool p, bool q) { return p != q; }));
    // The operations are symmetric and give the canonical form.
    EXPECT_EQ(a.Union(b), b.Union(a));
    EXPECT_EQ(a.Xor(b).Xor(b), a);
    // Clipping to a rectangle.
    const TRect c = RandomRect(rng, kWindow);
    TRegion clipped = a;
    clipped.ClipTo(c);
    EXPECT_REGION_MATCHES(clipped, TMask::Where(kWindow, [&](int x, int y) {
                            return ma.Get(x, y) && x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                          }));
    EXPECT_EQ(a.Area(), ma.Count());
  }
}

TEST(RegionSetOps, ResultMayReplaceAnOperand) {
  TRegion a = TRegion::Rect(TRect{0, 0, 8, 8});
  const TRegion b = TRegion::Rect(TRect{4, 4, 12, 12});
  TRegion::Combine(a, b, TRegionOp::Xor, a);
  EXPECT_EQ(a.Area(), 64 + 64 - 32);
  TRegion::Combine(a, a, TRegionOp::Intersect, a);
  EXPECT_EQ(a.Area(), 96);
  TRegion::Combine(a, a, TRegionOp::Xor, a);
  EXPECT_TRUE(a.Empty());
}

TEST(RegionFromRects, MatchesTheUnionOfEveryRectangle) {
  TRectUnion builder;  // one builder reused across seeds, as the effects do
  for (uint32_t seed : TestSeeds(300)) {
    SCOPED_TRACE("SCR_REGION_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    std::vector<TRect> rects(std::uniform_int_distribution<int>(0, 40)(rng));
    for (TRect& r : rects) r = RandomRect(rng, TRect{-20, -20, 70, 60});
    const TRect clip = seed % 2 ? TRect{0, 0, 48, 40} : kWindow;
    TRegion r;
    builder.Build(rects, clip, r);
    EXPECT_REGION_MATCHES(r, TMask::Where(kWindow, [&](int x, int y) {
                            if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return false;
                            for (const TRect& q : rects)
                              if (x >= q.left && x < q.right && y >= q.top && y < q.bottom) return true;
                            return false;
                          }));
  }
}

// Exact reference tests in doubled coordinates, pixel by pixel (not row by row as the
// rasteriser works).
bool InsideRoundRect(int x, int y, int x1, int y1, int x2, int y2, int ew, int eh) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const int64_t cx = 2 * x + 1, cy = 2 * y + 1;
  if (cx < 2 * x1 || cx > 2 * x2 || cy < 2 * y1 || cy > 2 * y2) return false;
  const int64_t a = std::clamp(ew, 0, x2 - x1), b = std::clamp(eh, 0, y2 - y1);
  if (a == 0 || b == 0) return true;
  const int64_t ex = cx < 2 * x1 + a ? 2 * x1 + a : cx > 2 * x2 - a ? 2 * x2 - a : cx;
  const int64_t ey = cy < 2 * y1 + b ? 2 * y1 + b : cy > 2 * y2 - b ? 2 * y2 - b : cy;
  const int64_t dx = cx - ex, dy = cy - ey;
  return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
}

TEST(RegionShapes, RoundRectMatchesThePixelTest) {
  for (uint32_t seed : TestSeeds(300)) {
    SCOPED_TRACE("SCR_REGION_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> c(-20, 70), e(-2, 90);
    const int x1 = c(rng), y1 = c(rng), x2 = c(rng), y2 = c(rng), ew = e(rng), eh = e(rng);
    const TRegion r = RoundRectRegion(x1, y1, x2, y2, ew, eh, kWindow);
    EXPECT_REGION_MATCHES(r, TMask::Where(kWindow, [&](int x, int y) {
                            return InsideRoundRect(x, y, x1, y1, x2, y2, ew, eh);
                          }));
  }
}

TEST(RegionShapes, RoundRectLimitsTheEllipseToTheSides) {
  const TRect big{-1000, -1000, 1000, 1000};
  // An ellipse wider than the rectangle turns the short sides into half ellipses.
  EXPECT_EQ(RoundRectRegion(0, 0, 40, 10, 400, 400, big), RoundRectRegion(0, 0, 40, 10, 40, 10, big));
  // No rounding at all gives the rectangle; an empty box gives nothing.
  EXPECT_EQ(RoundRectRegion(0, 0, 40, 10, 0, 8, big), TRegion::Rect(TRect{0, 0, 40, 10}));
  EXPECT_TRUE(RoundRectRegion(5, 5, 5, 50, 10, 10, big).Empty());
  // The full ellipse 40 x 10: symmetric about both axes, touching the middle of each side.
  const TRegion e = RoundRectRegion(0, 0, 40, 10, 40, 10, big);
  EXPECT_EQ(e.Extents(), (TRect{0, 0, 40, 10}));
  EXPECT_TRUE(e.Contains(0, 4) && e.Contains(39, 5) && e.Contains(19, 0) && e.Contains(20, 9));
  EXPECT_FALSE(e.Contains(0, 0) || e.Contains(39, 9));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(e.Contains(x, y), e.Contains(39 - x, 9 - y)) << x << "," << y;
}

// Strictly inside / strictly outside by orientation tests; centres on an edge are left to
// the tiling test below.
int Side(TPoint a, TPoint b, int64_t cx, int64_t cy) {  // sign of cross((b - a), (c - a)), doubled c
  const int64_t v = (2 * static_cast<int64_t>(b.x) - 2 * a.x) * (cy - 2 * a.y) -
                    (2 * static_cast<int64_t>(b.y) - 2 * a.y) * (cx - 2 * a.x);
  return v > 0 ? 1 : v < 0 ? -1 : 0;
}

TEST(RegionShapes, TriangleMatchesTheOrientationTest) {
  for (uint32_t seed : TestSeeds(400)) {
    SCOPED_TRACE("SCR_REGION_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> c(-20, 70);
    const TPoint p1{c(rng), c(rng)}, p2{c(rng), c(rng)}, p3{c(rng), c(rng)};
    const TRegion r = TriangleRegion(p1, p2, p3, kWindow);
    ASSERT_TRUE(r.Valid());
    for (int y = kWindow.top; y < kWindow.bottom; ++y)
      for (int x = kWindow.left; x < kWindow.right; ++x) {
        const int64_t cx = 2 * x + 1, cy = 2 * y + 1;
        const int s1 = Side(p1, p2, cx, cy), s2 = Side(p2, p3, cx, cy), s3 = Side(p3, p1, cx, cy);
        if (s1 == 0 || s2 == 0 || s3 == 0) continue;
        const bool inside = s1 == s2 && s2 == s3;
        ASSERT_EQ(r.Contains(x, y), inside) << "pixel (" << x << ", " << y << ")";
      }
  }
}

TEST(RegionShapes, TrianglesSharingAnEdgeTileWithoutGapOrOverlap) {
  for (uint32_t seed : TestSeeds(300)) {
    SCOPED_TRACE("SCR_REGION_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> c(-20, 70);
    // A quadrilateral fan around a shared diagonal, and a rectangle split on its diagonal.
    const TPoint a{c(rng), c(rng)}, b{c(rng), c(rng)}, p{c(rng), c(rng)}, q{c(rng), c(rng)};
    const TRegion t1 = TriangleRegion(a, b, p, kWindow), t2 = TriangleRegion(b, a, q, kWindow);
    const bool opposite = Side(a, b, 2 * p.x, 2 * p.y) * Side(a, b, 2 * q.x, 2 * q.y) < 0;
    if (opposite) {
      EXPECT_TRUE(t1.Intersect(t2).Empty());
    }

    const TRect box = RandomRect(rng, TRect{-10, -10, 58, 50});
    const TPoint tl{box.left, box.top}, tr{box.right, box.top}, bl{box.left, box.bottom}, br{box.right, box.bottom};
    const TRegion lower = TriangleRegion(tl, br, bl, kWindow), upper = TriangleRegion(tl, tr, br, kWindow);
    EXPECT_TRUE(lower.Intersect(upper).Empty());
    EXPECT_EQ(lower.Union(upper), TRegion::Rect(box));
    // The xor complement of a shape within its rectangle tiles it too.
    const TRegion rest = TRegion::Rect(box).Xor(lower);
    EXPECT_TRUE(rest.Intersect(lower).Empty());
    EXPECT_EQ(rest.Union(lower), TRegion::Rect(box));
  }
}

TEST(RegionShapes, WindingRuleFillsOverlapsOfAPolygon) {
  // A pentagram: the centre has winding number 2 and stays filled.
  const TPoint star[5] = {{50, 0}, {79, 90}, {2, 35}, {97, 35}, {20, 90}};
  std::vector<TRect> rows;
  AppendPolygon(star, TRect{0, 0, 100, 100}, rows);
  const TRegion r = TRegion::FromRects(rows, TRect{0, 0, 100, 100});
  EXPECT_TRUE(r.Contains(50, 50));
  EXPECT_TRUE(r.Contains(50, 10));
  EXPECT_FALSE(r.Contains(50, 85));
  EXPECT_TRUE(r.Valid());
}

TEST(RegionDraw, CopiesExactlyThePixelsOfTheRegion) {
  for (uint32_t seed : TestSeeds(100)) {
    SCOPED_TRACE("SCR_REGION_SEED=" + std::to_string(seed));
    std::mt19937 rng(seed);
    auto [r, m] = RandomRegion(rng);
    // Bitmaps smaller than the region's window, of different sizes: the copy is cut to both.
    TBitmap24 src(std::uniform_int_distribution<int>(1, 50)(rng), std::uniform_int_distribution<int>(1, 45)(rng));
    TBitmap24 dst(std::uniform_int_distribution<int>(1, 50)(rng), std::uniform_int_distribution<int>(1, 45)(rng));
    for (int y = 0; y < src.Height(); ++y)
      for (int x = 0; x < src.Width(); ++x) src.SetPixel(x, y, 0x010000u * x + 0x0100u * y + 7);
    dst.Fill(0x123456);
    const TBitmap24 before = dst;
    DrawRegion(r, src, dst);
    for (int y = 0; y < dst.Height(); ++y)
      for (int x = 0; x < dst.Width(); ++x) {
        const bool copied = m.Get(x, y) && x < src.Width() && y < src.Height();
        ASSERT_EQ(dst.Pixel(x, y), copied ? src.Pixel(x, y) : before.Pixel(x, y)) << x << "," << y;
      }
  }
}

}  // namespace
}  // namespace scr
