// The nearest-pixel stretched copy against the plain reference, and the drawing
// helpers built on it.
#include <gtest/gtest.h>

#include <random>

#include "common/stretch.h"
#include "transition/canvas_ops.h"
#include "view_support.h"

namespace scr {
namespace {

using test::Pattern;
using test::ReferenceCopy;
using test::SamePicture;

TEST(StretchCopy, MatchesTheReferenceOnSeededRandomRectangles) {
  // Scaled up and down, mirrored on either extent, partly or wholly outside either
  // bitmap; sources with and without row padding (a word read at a row's last pixel
  // must stay inside the bitmap). The one-pass copy over another picture gives what
  // drawing that picture first and copying on top gives. A failing seed replays alone
  // with SCR_STRETCH_SEED.
  const char* only = std::getenv("SCR_STRETCH_SEED");
  const TBitmap24 padded = Pattern(37, 23, 5), unpadded = Pattern(32, 20, 6);
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    if (only && seed != static_cast<uint32_t>(std::atoi(only))) continue;
    const TBitmap24& src = seed % 2 ? padded : unpadded;
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int dw = pick(1, 40), dh = pick(1, 30);
    const TExtentRect d{pick(-20, 45), pick(-20, 35), pick(-60, 60), pick(-40, 40)};
    const TExtentRect s{pick(-10, 45), pick(-10, 30), pick(-50, 50), pick(-30, 30)};
    TBitmap24 actual = Pattern(dw, dh, 9), expected = actual;
    StretchCopy(actual, d, src, s);
    ReferenceCopy(expected, d.x, d.y, d.cx, d.cy, src, s.x, s.y, s.cx, s.cy);
    ASSERT_TRUE(SamePicture(actual, expected, "stretch-seed-" + std::to_string(seed))) << "seed " << seed;

    const TBitmap24 under = Pattern(dw, dh, 10);
    TBitmap24 over = Pattern(dw, dh, 11), overExpected = under;
    StretchCopyOver(over, under, d, src, s);
    ReferenceCopy(overExpected, d.x, d.y, d.cx, d.cy, src, s.x, s.y, s.cx, s.cy);
    ASSERT_TRUE(SamePicture(over, overExpected, "stretch-over-seed-" + std::to_string(seed))) << "seed " << seed;
  }
}

TEST(StretchCopy, SameSizeCopiesAreExactAndMirrorsReverse) {
  const TBitmap24 src = Pattern(8, 4, 1);
  TBitmap24 plain(8, 4);
  StretchCopy(plain, TRect{0, 0, 8, 4}, src, TRect{0, 0, 8, 4});
  EXPECT_EQ(plain, src);

  TBitmap24 mirrored(8, 4);
  StretchCopy(mirrored, TExtentRect{7, 0, -8, 4}, src, TExtentRect{0, 0, 8, 4});
  for (int x = 0; x < 8; ++x) EXPECT_EQ(mirrored.Pixel(x, 2), src.Pixel(7 - x, 2));
}

TEST(StretchCopy, DegenerateAndFarAwayInputsDrawNothing) {
  const TBitmap24 src = Pattern(4, 4, 2);
  const TBitmap24 before = Pattern(6, 6, 3);
  TBitmap24 dst = before;
  StretchCopy(dst, TExtentRect{0, 0, 0, 6}, src, TExtentRect{0, 0, 4, 4});
  StretchCopy(dst, TExtentRect{0, 0, 6, 6}, src, TExtentRect{0, 0, 4, 0});
  StretchCopy(dst, TExtentRect{INT32_MIN / 2, 0, INT32_MAX, 6}, src, TExtentRect{0, 0, 4, 4});
  StretchCopy(dst, TExtentRect{0, 0, 6, 6}, src, TExtentRect{100, 100, 4, 4});
  StretchCopy(dst, TExtentRect{0, 0, 6, 6}, TBitmap24(), TExtentRect{0, 0, 4, 4});
  EXPECT_EQ(dst, before);
}

TEST(CanvasOps, FitRectKeepsTheAspectAndCentres) {
  // Landscape into a square: full width, height scaled, centred vertically.
  EXPECT_EQ(FitRect(TRect{0, 0, 200, 100}, TRect{0, 0, 100, 100}), (TRect{0, 25, 100, 75}));
  // Portrait into a landscape target, offset target.
  EXPECT_EQ(FitRect(TRect{0, 0, 100, 200}, TRect{10, 20, 310, 120}), (TRect{135, 20, 185, 120}));
  // Enlarged: a small picture grows to fit.
  EXPECT_EQ(FitRect(TRect{0, 0, 4, 3}, TRect{0, 0, 40, 40}), (TRect{0, 5, 40, 35}));
  // Halves round away from zero: 3 x 100 / 200 = 1.5 -> 2.
  EXPECT_EQ(FitRect(TRect{0, 0, 200, 3}, TRect{0, 0, 100, 100}).Height(), 2);
  // Equal quotients take the second branch: width from the height.
  EXPECT_EQ(FitRect(TRect{0, 0, 50, 50}, TRect{0, 0, 80, 80}), (TRect{0, 0, 80, 80}));
  // An empty source gives an empty rectangle instead of dividing by zero.
  EXPECT_TRUE(FitRect(TRect{0, 0, 0, 10}, TRect{0, 0, 80, 80}).IsEmpty());
}

TEST(CanvasOps, MirrorCopyWidensTheBandByOnePixelEachWay) {
  // D' = (2, 0, 6, 1) mirrored left-right becomes left 7, right 1: extent -6 over
  // columns 2..7, taking the 4 source columns 10..13 in reverse.
  const TBitmap24 src = Pattern(16, 1, 4);
  TBitmap24 dst = test::Solid(10, 1, 0x123456);
  MirrorCopy(dst, TRect{2, 0, 6, 1}, src, TRect{10, 0, 14, 1}, true, false);
  TBitmap24 expected = test::Solid(10, 1, 0x123456);
  ReferenceCopy(expected, 7, 0, -6, 1, src, 10, 0, 4, 1);
  EXPECT_TRUE(SamePicture(dst, expected, "mirror-copy"));
  EXPECT_EQ(dst.Pixel(2, 0), src.Pixel(13, 0));
  EXPECT_EQ(dst.Pixel(7, 0), src.Pixel(10, 0));
  EXPECT_EQ(dst.Pixel(1, 0), 0x123456u);
  EXPECT_EQ(dst.Pixel(8, 0), 0x123456u);

  // The source is cut to the bitmap first: a band reaching past it takes only what is
  // there, stretched over the band.
  TBitmap24 cut = test::Solid(10, 4, 0);
  MirrorCopy(cut, TRect{0, 0, 10, 2}, src, TRect{14, 0, 20, 1}, false, true);
  TBitmap24 cutExpected = test::Solid(10, 4, 0);
  ReferenceCopy(cutExpected, 0, 3, 10, -4, src, 14, 0, 2, 1);
  EXPECT_TRUE(SamePicture(cut, cutExpected, "mirror-copy-cut"));
}

TEST(CanvasOps, TileDrawCoversTheRectangleWithOneMoreRowAndColumn) {
  const TBitmapGraphic tile(Pattern(3, 2, 6));
  TBitmap24 dst = test::Solid(10, 5, 0);
  TileDraw(dst, TRect{1, 1, 8, 4}, tile);  // rows 0..1, columns 0..2
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool covered = x >= 1 && y >= 1;  // tiles reach (1 + 9, 1 + 4): past the bitmap
      const uint32_t want = covered ? tile.Bitmap().Pixel((x - 1) % 3, (y - 1) % 2) : 0u;
      EXPECT_EQ(dst.Pixel(x, y), want) << x << "," << y;
    }
  // An empty graphic draws nothing; a far-off rectangle costs nothing.
  TBitmap24 untouched = test::Solid(4, 4, 7);
  TileDraw(untouched, TRect{0, 0, 4, 4}, TBitmapGraphic());
  TileDraw(untouched, TRect{-2000000000, -2000000000, -1000000000, -1000000000}, TBitmapGraphic(Pattern(1, 1, 1)));
  EXPECT_EQ(untouched, test::Solid(4, 4, 7));
  // A huge rectangle reaching into the bitmap draws only the tiles that show.
  TileDraw(untouched, TRect{-2000000001, -2000000001, 4, 4}, TBitmapGraphic(test::Solid(2, 2, 9)));
  EXPECT_EQ(untouched, test::Solid(4, 4, 9));
}

TEST(CanvasOps, ResizeKeepingKeepsTheTopLeftAndFillsTheRest) {
  TBitmap24 b = Pattern(4, 3, 8);
  const TBitmap24 original = b;
  ResizeKeeping(b, 6, 2, 0x00FF00);
  ASSERT_EQ(b.Width(), 6);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Pixel(3, 1), original.Pixel(3, 1));
  EXPECT_EQ(b.Pixel(4, 0), 0x00FF00u);
  ResizeKeeping(b, 0, 5, 0);
  EXPECT_TRUE(b.Empty());
}

}  // namespace
}  // namespace scr
