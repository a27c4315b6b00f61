#include <gtest/gtest.h>

#include "effect_helpers.h"
#include "transition/effect_families.h"

namespace scr {
namespace {

using test::Frame;

const TRegion kWhole = TRegion::Rect(TRect{0, 0, 200, 100});

// Right end (exclusive) of row y's single span, or 0 for an empty row.
int RightEnd(const TRegion& r, int y) {
  int end = 0;
  for (int x = 0; x < 200; ++x)
    if (r.Contains(x, y)) end = x + 1;
  return end;
}

TEST(RoundedShapes, SweepFromTheLeftBulgesAtMidHeight) {
  // P = 50: RoundRect(-400, -5, 200, 105, 400, 400), the ellipse limited to 110 high.
  const TRegion r = BuildStyleRegion(58, Frame(200, 100, 50));
  EXPECT_TRUE(r.Contains(199, 49) && r.Contains(199, 50));
  EXPECT_LT(RightEnd(r, 0), 200 - 20);
  EXPECT_LT(RightEnd(r, 99), 200 - 20);
  for (int y = 1; y < 50; ++y) {
    EXPECT_GE(RightEnd(r, y), RightEnd(r, y - 1)) << y;
    EXPECT_EQ(RightEnd(r, y), RightEnd(r, 99 - y)) << y;  // symmetric about the middle
    EXPECT_TRUE(r.Contains(0, y));
  }
  // The mirror style sweeps from the right.
  const TRegion m = BuildStyleRegion(59, Frame(200, 100, 50));
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; x += 7) ASSERT_EQ(m.Contains(x, y), r.Contains(199 - x, y)) << x << "," << y;
}

TEST(RoundedShapes, IrisOpensFromTheCentre) {
  EXPECT_TRUE(BuildStyleRegion(84, Frame(200, 100, 0)).Empty());
  // P = 25: box (50, 25, 150, 75), corner ellipse 90 x 45.
  const TRegion r25 = BuildStyleRegion(84, Frame(200, 100, 25));
  EXPECT_EQ(r25.Extents(), (TRect{50, 25, 150, 75}));
  EXPECT_FALSE(r25.Contains(50, 25) || r25.Contains(149, 74) || r25.Contains(60, 30));
  EXPECT_TRUE(r25.Contains(100, 25) && r25.Contains(50, 50) && r25.Contains(149, 49) && r25.Contains(100, 74));
  // P = 50: the whole picture, only the four corners still old (ellipse 180 x 90).
  const TRegion r50 = BuildStyleRegion(84, Frame(200, 100, 50));
  EXPECT_EQ(r50.Extents(), (TRect{0, 0, 200, 100}));
  for (TPoint p : {TPoint{0, 0}, TPoint{199, 0}, TPoint{0, 99}, TPoint{199, 99}, TPoint{10, 5}})
    EXPECT_FALSE(r50.Contains(p.x, p.y)) << p.x << "," << p.y;
  EXPECT_TRUE(r50.Contains(100, 0) && r50.Contains(0, 50) && r50.Contains(100, 50));
  EXPECT_GT(r50.Area(), 20000 * 3 / 4);
}

TEST(RoundedShapes, IrisClosesTowardsTheCentre) {
  // P = 0: the hole (-100, -50, 300, 150) with ellipse 360 x 180 covers the picture.
  EXPECT_TRUE(BuildStyleRegion(85, Frame(200, 100, 0)).Empty());
  // P = 100: the hole is the empty box (100, 50, 100, 50).
  EXPECT_EQ(BuildStyleRegion(85, Frame(200, 100, 100)), kWhole);
  // Between: the new picture shows outside the hole, which is the mirror of 84's box.
  const TRegion r = BuildStyleRegion(85, Frame(200, 100, 75));
  EXPECT_FALSE(r.Contains(100, 50));
  EXPECT_TRUE(r.Contains(0, 0) && r.Contains(199, 99));
}

TEST(RoundedShapes, CornersGrowFromTheirCorner) {
  const auto f = Frame(200, 100, 30);
  const TPoint corners[4] = {{0, 0}, {199, 0}, {0, 99}, {199, 99}};
  for (int style = 80; style <= 83; ++style) {
    const TRegion r = BuildStyleRegion(style, f);
    const TPoint own = corners[style - 80];
    EXPECT_TRUE(r.Contains(own.x, own.y)) << style;
    EXPECT_FALSE(r.Contains(199 - own.x, 99 - own.y)) << style;
    EXPECT_FALSE(r.Contains(100, 50)) << style;
  }
  EXPECT_EQ(BuildStyleRegion(80, Frame(200, 100, 100)), kWhole);
}

TEST(Triangles, CornerTriangleCoversTheLowerRightHalfAtHalfway) {
  // Style 113 at P = 50: the triangle (200, 100), (0, 100), (200, 0).
  const TRegion r = BuildStyleRegion(113, Frame(200, 100, 50));
  EXPECT_EQ(r.Area(), 10000);
  // Row y holds x >= 199 - 2y: pixel centres on the slant's left side are inside.
  EXPECT_TRUE(r.Contains(199, 0) && r.Contains(1, 99) && r.Contains(199, 99));
  EXPECT_FALSE(r.Contains(0, 0) || r.Contains(198, 0) || r.Contains(0, 99));
  // The other three corners are its mirrors.
  const TRegion r110 = BuildStyleRegion(110, Frame(200, 100, 50));
  for (int y = 0; y < 100; y += 3)
    for (int x = 0; x < 200; x += 3) ASSERT_EQ(r110.Contains(x, y), r.Contains(199 - x, 99 - y)) << x << "," << y;
  EXPECT_EQ(BuildStyleRegion(111, Frame(200, 100, 50)).Area(), 10000);
  EXPECT_EQ(BuildStyleRegion(112, Frame(200, 100, 50)).Area(), 10000);
}

TEST(Triangles, HingedPairsAndTheFanCloseWithoutGaps) {
  // At P = 100 the two hinged triangles of 114 and 115 are the two halves of the picture.
  EXPECT_EQ(BuildStyleRegion(114, Frame(200, 100, 100)), kWhole);
  EXPECT_EQ(BuildStyleRegion(115, Frame(200, 100, 100)), kWhole);
  // The fan's four blades meet in the centre and fill the picture at P = 100.
  EXPECT_EQ(BuildStyleRegion(116, Frame(200, 100, 100)), kWhole);
  const TRegion fan = BuildStyleRegion(116, Frame(200, 100, 40));
  EXPECT_TRUE(fan.Contains(1, 98) && fan.Contains(1, 0) && fan.Contains(198, 99) && fan.Contains(198, 1));
  EXPECT_FALSE(fan.Contains(100, 2));
}

TEST(Triangles, GridOfSmallTrianglesFillsThePictureAtTheEnd) {
  // P = 100, W = 200: a = 40, b = 20; every hypotenuse passes through the far corner of
  // its 20 x 10 cell, so the hundred triangles cover the picture.
  EXPECT_EQ(BuildStyleRegion(117, Frame(200, 100, 100)), kWhole);
  // Halfway (a = 20, b = 10) each triangle is half its cell.
  const TRegion r = BuildStyleRegion(117, Frame(200, 100, 50));
  EXPECT_EQ(r.Area(), 100 * 100);
  EXPECT_TRUE(r.Contains(180, 90) && r.Contains(0, 0));
  EXPECT_FALSE(r.Contains(19, 9));
  // Portrait pictures take the legs from X too.
  const auto portrait = Frame(100, 200, 50);  // Y = 100, X = 50, a = 10, b = 20
  const TRegion p = BuildStyleRegion(117, portrait);
  EXPECT_TRUE(p.Contains(9, 0) && p.Contains(0, 18));
  EXPECT_FALSE(p.Contains(9, 1) || p.Contains(0, 19) || p.Contains(1, 18));
}

TEST(RegionStyles, OtherStylesBuildNothing) {
  for (int style : {0, 1, 57, 118, 122, 128, 255, -1}) EXPECT_TRUE(BuildStyleRegion(style, Frame(20, 10, 50)).Empty());
}

}  // namespace
}  // namespace scr
