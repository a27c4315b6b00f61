// Smooth scaling, blurring and the shuffled order: checked against straightforward
// references.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "common/box_blur.h"
#include "common/random.h"
#include "common/resample.h"
#include "common/shuffle_rounds.h"

namespace scr {
namespace {

TBitmap24 Noise(int w, int h, uint32_t seed) {
  TRandom r;
  r.SetState(seed);
  TBitmap24 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < 3 * w; ++x) b.Row(y)[x] = static_cast<uint8_t>(r.Next(256));
  return b;
}

// Bilinear sampling written out in floating point: the centre of each destination
// pixel mapped into the window, the four pixels around it, edges repeated.
uint8_t Reference(const TBitmap24& src, const TFixedWindow& w, int dw, int dh, int x, int y, int k) {
  const double sx = (w.x + w.w * (x + 0.5) / dw) / kFixedOne - 0.5;
  const double sy = (w.y + w.h * (y + 0.5) / dh) / kFixedOne - 0.5;
  const double fx = std::floor(sx), fy = std::floor(sy);
  auto at = [&](double px, double py) {
    const int cx = std::clamp(static_cast<int>(px), 0, src.Width() - 1);
    const int cy = std::clamp(static_cast<int>(py), 0, src.Height() - 1);
    return static_cast<double>(src.Row(cy)[3 * cx + k]);
  };
  const double ax = sx - fx, ay = sy - fy;
  const double top = at(fx, fy) * (1 - ax) + at(fx + 1, fy) * ax;
  const double bottom = at(fx, fy + 1) * (1 - ax) + at(fx + 1, fy + 1) * ax;
  return static_cast<uint8_t>(std::lround(top * (1 - ay) + bottom * ay));
}

TEST(BilinearScale, AgreesWithTheFloatingPointReferenceWithinOneLevel) {
  const TBitmap24 src = Noise(37, 23, 7);
  struct TCase {
    TFixedWindow window;
    int w, h;
  };
  const TCase cases[] = {
      {WholeWindow(37, 23), 37, 23},                           // same size: a copy
      {WholeWindow(37, 23), 100, 61},                          // up
      {WholeWindow(37, 23), 15, 9},                            // down
      {{3 * kFixedOne + 12345, 2 * kFixedOne + 999, 20 * kFixedOne + 7, 11 * kFixedOne}, 64, 40},  // fractional part
  };
  for (const TCase& c : cases) {
    TBitmap24 dst(c.w, c.h);
    BilinearScale(dst, dst.Bounds(), src, c.window);
    int worst = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x)
        for (int k = 0; k < 3; ++k)
          worst = std::max(worst, std::abs(dst.Row(y)[3 * x + k] - Reference(src, c.window, c.w, c.h, x, y, k)));
    EXPECT_LE(worst, 1) << c.w << "x" << c.h;
  }
  // At the same size the copy is exact.
  TBitmap24 same(37, 23);
  BilinearScale(same, same.Bounds(), src, WholeWindow(37, 23));
  EXPECT_TRUE(std::equal(same.Data(), same.Data() + 23 * TBitmap24::StrideFor(37), src.Data()));
}

TEST(BilinearScale, ClipsToTheDestinationAndIgnoresEmptyInput) {
  const TBitmap24 src = Noise(8, 8, 3);
  TBitmap24 dst(10, 10);
  dst.Fill(0x010203);
  BilinearScale(dst, TRect{-20, -20, 5, 5}, src, WholeWindow(8, 8));  // partly outside
  EXPECT_EQ(dst.Pixel(5, 5), 0x010203u);
  EXPECT_NE(dst.Pixel(0, 0), 0x010203u);
  TBitmap24 untouched(4, 4);
  untouched.Fill(0x445566);
  BilinearScale(untouched, untouched.Bounds(), TBitmap24(), WholeWindow(0, 0));
  BilinearScale(untouched, untouched.Bounds(), src, TFixedWindow{0, 0, 0, kFixedOne});
  BilinearScale(untouched, TRect{2, 2, 2, 4}, src, WholeWindow(8, 8));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(untouched.Pixel(x, y), 0x445566u);
}

TEST(ReduceByBoxes, AveragesBlocksIncludingTheSmallerEdgeBlocks) {
  TBitmap24 src(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) src.SetPixel(x, y, static_cast<uint32_t>(10 * (x + 5 * y)) * 0x010101u);
  const TBitmap24 out = ReduceByBoxes(src, 2);
  ASSERT_EQ(out.Width(), 3);
  ASSERT_EQ(out.Height(), 2);
  EXPECT_EQ(out.Pixel(0, 0), 30u * 0x010101u);   // 0, 10, 50, 60
  EXPECT_EQ(out.Pixel(2, 0), 65u * 0x010101u);   // 40, 90 (the last column alone)
  EXPECT_EQ(out.Pixel(2, 1), 140u * 0x010101u);  // 140 (the corner alone)
}

TEST(BilinearScale, WideRowsAndMovingWindowsAgreeWithTheReference) {
  // Rows long enough for the vector paths, windows a little smaller than the source
  // (as a moving picture samples it), and a destination rectangle partly off the bitmap.
  const TBitmap24 src = Noise(301, 67, 11);
  for (int step = 0; step < 4; ++step) {
    const TFixedWindow window{step * 5 * kFixedOne + 777 * step, step * 3 * kFixedOne + 4321 * step,
                              (301 - 12 * step) * kFixedOne - 999 * step, (67 - 5 * step) * kFixedOne};
    TBitmap24 dst(280, 60);
    const TRect rect{-7, -3, 273, 57};
    BilinearScale(dst, rect, src, window);
    int worst = 0;
    for (int y = 0; y < 57; ++y)
      for (int x = 0; x < 273; ++x)
        for (int k = 0; k < 3; ++k)
          worst = std::max(worst, std::abs(dst.Row(y)[3 * x + k] -
                                           Reference(src, window, 280, 60, x + 7, y + 3, k)));
    EXPECT_LE(worst, 1) << step;
    EXPECT_EQ(dst.Pixel(275, 58), 0u);  // outside the rectangle: untouched
  }
}

TEST(AverageSampled, AveragesWholeBlocksWhenSmallAndSpreadsSamplesWhenLarge) {
  const TBitmap24 src = Noise(40, 24, 5);
  // Blocks of 4 x 4 with room for 6 samples a side: every pixel of each block.
  EXPECT_TRUE(AverageSampled(src, WholeWindow(40, 24), 10, 6, 6) == ReduceByBoxes(src, 4));
  // Blocks of 20 x 12 with 2 samples a side: four pixels spread over each block.
  TBitmap24 big(40, 24);
  big.Fill(0x102030);
  big.SetPixel(5, 3, 0xFFFFFF);  // one of the samples of block (0, 0)
  big.SetPixel(6, 3, 0xFFFFFF);  // not one
  const TBitmap24 out = AverageSampled(big, WholeWindow(40, 24), 2, 2, 2);
  EXPECT_EQ(out.Pixel(0, 0), 0x4C5864u);  // (3 * 0x30 + 0xFF) / 4 and so on, rounded
  EXPECT_EQ(out.Pixel(1, 1), 0x102030u);
  // Only the window is read.
  TBitmap24 halves(40, 24);
  halves.FillRect(TRect{0, 0, 20, 24}, 0x0000FF);
  halves.FillRect(TRect{20, 0, 40, 24}, 0xFF0000);
  const TBitmap24 right = AverageSampled(halves, TFixedWindow{20 * kFixedOne, 0, 20 * kFixedOne, 24 * kFixedOne}, 3, 3, 4);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(right.Pixel(x, y), 0xFF0000u);
  EXPECT_TRUE(AverageSampled(TBitmap24(), WholeWindow(1, 1), 4, 4, 4).Pixel(0, 0) == 0u);
}

TEST(BoxBlur, KeepsAFlatColourAndSpreadsAnEdge) {
  TBitmap24 flat(30, 20);
  flat.Fill(0x336699);
  BoxBlur(flat, 4, 3);
  EXPECT_EQ(flat.Pixel(0, 0), 0x336699u);
  EXPECT_EQ(flat.Pixel(29, 19), 0x336699u);

  TBitmap24 edge(40, 5);
  edge.FillRect(TRect{0, 0, 20, 5}, 0);
  edge.FillRect(TRect{20, 0, 40, 5}, 0xFFFFFF);
  BoxBlur(edge, 3, 3);
  // A ramp across the edge: never a jump of more than a fraction of the step.
  for (int x = 1; x < 40; ++x) EXPECT_LE(std::abs(int(edge.Row(2)[3 * x]) - int(edge.Row(2)[3 * x - 3])), 64) << x;
  EXPECT_EQ(edge.Pixel(0, 2), 0u);
  EXPECT_EQ(edge.Pixel(39, 2), 0xFFFFFFu);

  Darken(flat, 128);
  EXPECT_EQ(flat.Pixel(3, 3), 0x19334Cu);
}

TEST(ShuffleRounds, EachRoundIsAPermutationWithoutARepeatAtTheSeams) {
  for (int n : {2, 3, 5, 9}) {
    ResetProgramRandom();
    TShuffleRounds order;
    std::vector<int> seen;
    for (int i = 0; i < 3 * n; ++i) seen.push_back(order.Next(n));
    for (int round = 0; round < 3; ++round) {
      const std::set<int> items(seen.begin() + round * n, seen.begin() + (round + 1) * n);
      EXPECT_EQ(items.size(), static_cast<size_t>(n)) << n;
      EXPECT_EQ(*items.begin(), 0);
      EXPECT_EQ(*items.rbegin(), n - 1);
    }
    for (size_t i = 1; i < seen.size(); ++i) EXPECT_NE(seen[i], seen[i - 1]) << n << " at " << i;
  }
  TShuffleRounds one;
  EXPECT_EQ(one.Next(1), 0);
  EXPECT_EQ(one.Next(1), 0);
  EXPECT_EQ(one.Next(0), 0);
}

TEST(ShuffleRounds, RepeatsFromRunToRun) {
  auto run = [] {
    ResetProgramRandom();
    TShuffleRounds order;
    std::vector<int> seen;
    for (int i = 0; i < 20; ++i) seen.push_back(order.Next(7));
    return seen;
  };
  EXPECT_EQ(run(), run());
}

}  // namespace
}  // namespace scr
