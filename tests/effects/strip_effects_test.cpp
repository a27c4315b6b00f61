#include <gtest/gtest.h>

#include "effect_helpers.h"
#include "transition/effect_families.h"
#include "transition/effect_regions.h"

namespace scr {
namespace {

using test::DrawsSince;
using test::Frame;
using test::Rects;

std::vector<TRect> EveryTenth(int from, int to, int W, int left, int right) {
  std::vector<TRect> v;
  for (int i = from; i < to; i += 10) v.push_back(TRect{left, i, right, i + 5});
  return v;
}

TEST(InterlacedStrips, RowsFromTheRightGrowThenSnapThenFillTheOddRows) {
  // W = 200, H = 100, Step 4: G = 9.
  EXPECT_EQ(Frame(200, 100, 24).G, 9);
  EXPECT_EQ(BuildStyleRegion(60, Frame(200, 100, 24)), Rects(EveryTenth(0, 100, 200, 104, 200), 200, 100));
  // 2X = 192, and 192 + 9 overshoots: the even rows snap to full width.
  EXPECT_EQ(BuildStyleRegion(60, Frame(200, 100, 48)), Rects(EveryTenth(0, 100, 200, 0, 200), 200, 100));
  // 2X = 208: even rows full, odd rows cover x 192..200.
  std::vector<TRect> p52 = EveryTenth(0, 100, 200, 0, 200);
  for (const TRect& r : EveryTenth(5, 100, 200, 192, 200)) p52.push_back(r);
  EXPECT_EQ(BuildStyleRegion(60, Frame(200, 100, 52)), Rects(p52, 200, 100));
  EXPECT_EQ(BuildStyleRegion(60, Frame(200, 100, 100)), TRegion::Rect(TRect{0, 0, 200, 100}));
  EXPECT_TRUE(BuildStyleRegion(60, Frame(200, 100, 0)).Empty());
}

TEST(InterlacedStrips, KindsChooseTheSideOfEachPhase) {
  const auto f24 = Frame(200, 100, 24), f52 = Frame(200, 100, 52);
  auto withFullEven = [](std::vector<TRect> odd) {
    std::vector<TRect> v = EveryTenth(0, 100, 200, 0, 200);
    v.insert(v.end(), odd.begin(), odd.end());
    return Rects(v, 200, 100);
  };
  // 61: both phases from the left.
  EXPECT_EQ(BuildStyleRegion(61, f24), Rects(EveryTenth(0, 100, 200, 0, 96), 200, 100));
  EXPECT_EQ(BuildStyleRegion(61, f52), withFullEven(EveryTenth(5, 100, 200, 0, 8)));
  // 62: first from the left, then from the right; 63 the reverse.
  EXPECT_EQ(BuildStyleRegion(62, f24), Rects(EveryTenth(0, 100, 200, 0, 96), 200, 100));
  EXPECT_EQ(BuildStyleRegion(62, f52), withFullEven(EveryTenth(5, 100, 200, 192, 200)));
  EXPECT_EQ(BuildStyleRegion(63, f24), Rects(EveryTenth(0, 100, 200, 104, 200), 200, 100));
  EXPECT_EQ(BuildStyleRegion(63, f52), withFullEven(EveryTenth(5, 100, 200, 0, 8)));
}

TEST(InterlacedStrips, AlternateRowsGrowFromOppositeSidesWithoutSnapping) {
  // Style 64 at P = 50: X = 100.
  std::vector<TRect> v = EveryTenth(0, 100, 200, 100, 200);
  for (const TRect& r : EveryTenth(5, 100, 200, 0, 100)) v.push_back(r);
  EXPECT_EQ(BuildStyleRegion(64, Frame(200, 100, 50)), Rects(v, 200, 100));
  // At P = 99 (X = 198) neither comb is full yet: no guard, no second phase.
  const TRegion r99 = BuildStyleRegion(64, Frame(200, 100, 99));
  EXPECT_FALSE(r99.Contains(0, 0) || r99.Contains(1, 0));
  EXPECT_TRUE(r99.Contains(2, 0));
  EXPECT_FALSE(r99.Contains(198, 5) || r99.Contains(199, 5));
  EXPECT_TRUE(r99.Contains(197, 5));
}

TEST(InterlacedStrips, ColumnsMirrorTheRowsAndTheLatticeIsAnIntersection) {
  // Portrait picture: Y leads. W = 100, H = 200, P = 24: 2Y = 96, G = 9.
  const auto f = Frame(100, 200, 24);
  std::vector<TRect> cols;
  for (int j = 0; j < 105; j += 10) cols.push_back(TRect{j, 104, j + 5, 200});
  EXPECT_EQ(BuildStyleRegion(71, f), Rects(cols, 100, 200));

  for (int P : {10, 24, 40, 52, 75, 96}) {
    const auto g = Frame(200, 100, P);
    std::vector<TRect> a, b;
    AppendStripRegion(200, 100, 2 * g.X, 2 * g.Y, 1, 1, g.G, a);
    AppendStripRegion(200, 100, 2 * g.X, 2 * g.Y, 2, 2, g.G, b);
    EXPECT_EQ(BuildStyleRegion(99, g), Rects(a, 200, 100).Intersect(Rects(b, 200, 100))) << "P = " << P;
  }
}

TEST(InterlacedStrips, PicturesNarrowerThanAStripStillGetOne) {
  // A 3-pixel-high picture: the row loop runs while the strip start is below H + 5.
  const TRegion r = BuildStyleRegion(61, Frame(50, 3, 20));
  EXPECT_EQ(r, TRegion::Rect(TRect{0, 0, 20, 3}));
}

TEST(RaggedStrips, DrawTwoOrFourNumbersPerBandEvenWhenTheRandomnessHasVanished) {
  struct TCase {
    int style;
    int64_t draws;
  };
  // W = 200, H = 100: 20 row bands, 40 column bands.
  for (const TCase c : {TCase{65, 40}, TCase{66, 40}, TCase{67, 80}, TCase{68, 80}, TCase{76, 80}, TCase{78, 160},
                        TCase{100, 120}, TCase{104, 200}, TCase{109, 240}}) {
    for (int P : {0, 30, 100}) {
      const uint32_t s0 = ProgramRandom().State();
      const TRegion r = BuildStyleRegion(c.style, Frame(200, 100, P));
      EXPECT_EQ(DrawsSince(s0), c.draws) << "style " << c.style << " P " << P;
      if (P == 100) {
        EXPECT_EQ(r, TRegion::Rect(TRect{0, 0, 200, 100})) << "style " << c.style;
      }
    }
  }
}

TEST(RaggedStrips, EndsAreDisplacedByTheFirstDrawLessTheSecond) {
  // H = 103: bands start every 5 rows and are 103 mod 5 + 5 = 8 high, so they overlap
  // and the last reaches the bottom. W = 70: a = 10.
  const int W = 70, H = 103, X = 40;
  TFrameParams f = Frame(W, H, 0);
  f.X = X;
  TRandom replay;
  replay.SetState(ProgramRandom().State());
  std::vector<TRect> fromRight, fromCentre;
  for (int top = 0; top < H; top += 5) {
    const int r1 = static_cast<int>(replay.Next(10)), r2 = static_cast<int>(replay.Next(10));
    fromRight.push_back(TRect{W - X + r1 - r2, top, W, top + 8});
  }
  EXPECT_EQ(BuildStyleRegion(65, f), Rects(fromRight, W, H));
  for (int top = 0; top < H; top += 5) {
    const int r1 = static_cast<int>(replay.Next(10)), r2 = static_cast<int>(replay.Next(10));
    const int r3 = static_cast<int>(replay.Next(10)), r4 = static_cast<int>(replay.Next(10));
    // A left end beyond the centre line is taken with the corners swapped.
    const int l = (W - X + r1 - r2) / 2, r = (W + X + r3 - r4) / 2;
    fromCentre.push_back(TRect{std::min(l, W / 2), top, std::max(l, W / 2), top + 8});
    fromCentre.push_back(TRect{std::min(r, W / 2), top, std::max(r, W / 2), top + 8});
  }
  EXPECT_EQ(BuildStyleRegion(67, f), Rects(fromCentre, W, H));
}

TEST(DripStrips, CellsDripAheadOfTheBandNearerCellsMoreOften) {
  // W = 200: e = 20, f = 2, n = 10, q = 7; bands 2 high start on every row.
  const auto f = Frame(200, 100, 50);  // X = 100
  TRandom replay;
  replay.SetState(ProgramRandom().State());
  std::vector<TRect> expected;
  for (int top = 0; top < 100; ++top) {
    expected.push_back(TRect{0, top, 100, top + 2});
    for (int i = 10; i >= 1; --i) {
      const int near = i <= 7 ? 1 : 0;
      if (near >= static_cast<int>(replay.Next(i))) expected.push_back(TRect{100 + 2 * i - 2, top, 100 + 2 * i, top + 2});
    }
  }
  const uint32_t s0 = ProgramRandom().State();
  const TRegion r = BuildStyleRegion(124, f);
  EXPECT_EQ(DrawsSince(s0), 1000);
  EXPECT_EQ(r, Rects(expected, 200, 100));
  // Cells 1 and 2 are always there, nothing lies beyond cell 10.
  for (int y = 0; y < 100; ++y) {
    EXPECT_TRUE(r.Contains(103, y));
    EXPECT_FALSE(r.Contains(120, y));
  }
}

TEST(DripStrips, TheDripZoneVanishesAtTheSideAndColumnsDripToo) {
  uint32_t s0 = ProgramRandom().State();
  EXPECT_EQ(BuildStyleRegion(123, Frame(200, 100, 100)), TRegion::Rect(TRect{0, 0, 200, 100}));
  EXPECT_EQ(DrawsSince(s0), 0);
  // Columns from the bottom, H = 100: e = 10, f = 2, n = 5, one column band per x.
  s0 = ProgramRandom().State();
  const TRegion r = BuildStyleRegion(125, Frame(200, 100, 50));  // Y = 50
  EXPECT_EQ(DrawsSince(s0), 200 * 5);
  for (int x = 0; x < 200; ++x) {
    EXPECT_TRUE(r.Contains(x, 50) && r.Contains(x, 46));  // band and the two near cells
    EXPECT_FALSE(r.Contains(x, 39));                       // beyond the fifth cell
  }
}

TEST(RandomBlocks, BlockSizeAndGridFollowTheProgress) {
  // W = 200, H = 100, P = 50: d = 7, a 29 x 15 grid of 14 x 14 blocks.
  TRandom replay;
  replay.SetState(ProgramRandom().State());
  std::vector<TRect> expected;
  for (int x = 0; x < 200; x += 7)
    for (int y = 0; y < 100; y += 7)
      if (replay.Next(100) < 50) expected.push_back(TRect{x - 7, y - 7, x + 7, y + 7});
  const uint32_t s0 = ProgramRandom().State();
  EXPECT_EQ(BuildStyleRegion(127, Frame(200, 100, 50)), Rects(expected, 200, 100));
  EXPECT_EQ(DrawsSince(s0), 29 * 15);
  // P = 0: blocks of 2 on a grid of 100 x 50, none drawn in.
  const uint32_t s1 = ProgramRandom().State();
  EXPECT_TRUE(BuildStyleRegion(127, Frame(200, 100, 0)).Empty());
  EXPECT_EQ(DrawsSince(s1), 100 * 50);
  // Tiny pictures: the block size is at least 1.
  const uint32_t s2 = ProgramRandom().State();
  BuildStyleRegion(127, Frame(3, 20, 5));
  EXPECT_EQ(DrawsSince(s2), 60);
}

}  // namespace
}  // namespace scr
