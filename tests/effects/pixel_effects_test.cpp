#include "transition/pixel_effects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "effect_helpers.h"
#include "transition/effect_families.h"

namespace scr {
namespace {

using test::Frame;

TBitmap24 Noise(int w, int h, uint32_t seed) {
  TBitmap24 b(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < 3 * w; ++x) b.Row(y)[x] = static_cast<uint8_t>(rng());
  return b;
}

// Every pixel a different colour, so a sample's position can be read back.
TBitmap24 Numbered(int w, int h) {
  TBitmap24 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, static_cast<uint32_t>(x) | (static_cast<uint32_t>(y) << 12));
  return b;
}

TEST(CrossFade, EachHalfIsTruncatedOnItsOwn) {
  TBitmap24 frame(2, 1), next(2, 1);
  frame.SetPixel(0, 0, 0xFFFFFF);
  next.SetPixel(0, 0, 0x000000);
  frame.SetPixel(1, 0, 0x010101);
  next.SetPixel(1, 0, 0x010101);
  DrawPixelStyle(118, Frame(2, 1, 50), next, frame);
  EXPECT_EQ(frame.Pixel(0, 0), 0x7F7F7Fu);
  EXPECT_EQ(frame.Pixel(1, 0), 0x000000u);
}

TEST(CrossFade, EveryBytePairMatchesTheFormula) {
  // 256 x 256 byte pairs on rows of odd length, so the wide and the narrow paths both run.
  for (int P = 0; P <= 100; ++P) {
    TBitmap24 frame(257, 256), next(257, 256);
    for (int y = 0; y < 256; ++y)
      for (int k = 0; k < 3 * 257; ++k) {
        frame.Row(y)[k] = static_cast<uint8_t>(y);
        next.Row(y)[k] = static_cast<uint8_t>(k);
      }
    BlendBitmaps(frame, next, P);
    for (int y = 0; y < 256; ++y)
      for (int k = 0; k < 3 * 257; ++k) {
        const int expected = y * (100 - P) / 100 + (k & 255) * P / 100;
        ASSERT_EQ(frame.Row(y)[k], expected) << "P " << P << " old " << y << " new " << (k & 255);
      }
  }
}

TEST(CrossFade, LeavesRowPaddingAndPixelsOutsideTheNewPictureAlone) {
  TBitmap24 frame = Noise(7, 5, 1);
  const TBitmap24 before = frame;
  const TBitmap24 next = Noise(5, 3, 2);
  BlendBitmaps(frame, next, 40);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      if (x >= 5 || y >= 3) {
        EXPECT_EQ(frame.Pixel(x, y), before.Pixel(x, y));
      }
  EXPECT_EQ(frame.Row(0)[21], before.Row(0)[21]);  // padding byte after 7 pixels
}

// The rotation written out plainly, pixel by pixel with the bounds test.
TBitmap24 RotateReference(const TBitmap24& old, const TBitmap24& next, int px, int py, int P) {
  TBitmap24 frame = old;
  const double theta = (100 - P) * 3.14159265358979323846 / 200;
  const double sn = std::sin(theta), cs = std::cos(theta);
  for (int i = 0; i < next.Height(); ++i)
    for (int o = 0; o < next.Width(); ++o) {
      const double dx = o - px, dy = i - py;
      const long u = px + std::lrint(dx * cs - dy * sn);
      const long v = py + std::lrint(dx * sn + dy * cs);
      if (u >= 0 && u < frame.Width() && v >= 0 && v < frame.Height())
        frame.SetPixel(o, i, next.Pixel(static_cast<int>(u), static_cast<int>(v)));
    }
  return frame;
}

TEST(Rotation, StartsAsTheOldPictureAndSamplesTurnedPositions) {
  const TBitmap24 old = Noise(100, 100, 3), next = Numbered(100, 100);
  TBitmap24 frame = old;
  DrawPixelStyle(119, Frame(100, 100, 0), next, frame);
  EXPECT_EQ(frame, old);  // a quarter turn: every sample lies outside
  // P = 50: pixel (50, 0) samples (34, 36) about the pivot (-1, -1).
  frame = old;
  DrawPixelStyle(119, Frame(100, 100, 50), next, frame);
  EXPECT_EQ(frame.Pixel(50, 0), next.Pixel(34, 36));
  // P = 100: no turn, the new picture.
  frame = old;
  DrawPixelStyle(119, Frame(100, 100, 100), next, frame);
  EXPECT_EQ(frame, next);
}

TEST(Rotation, MatchesThePlainLoopForManySizesAndPositions) {
  for (uint32_t seed = 0; seed < 60; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    const int W = std::uniform_int_distribution<int>(1, 90)(rng), H = std::uniform_int_distribution<int>(1, 90)(rng);
    const int P = std::uniform_int_distribution<int>(0, 100)(rng);
    const int style = std::uniform_int_distribution<int>(119, 122)(rng);
    const TBitmap24 old = Noise(W, H, seed), next = Numbered(W, H);
    const int px = (style == 121 || style == 122) ? W : -1, py = (style == 120 || style == 122) ? H : -1;
    TBitmap24 frame = old;
    DrawPixelStyle(style, Frame(W, H, P), next, frame);
    ASSERT_EQ(frame, RotateReference(old, next, px, py, P)) << W << "x" << H << " P " << P << " style " << style;
  }
}

}  // namespace
}  // namespace scr
