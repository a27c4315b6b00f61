// Icons: the right image is chosen from the file, and drawing leaves transparent
// pixels of the target untouched.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "package/icon_image.h"
#include "tests/pictures/picture_builders.h"

namespace scr {
namespace {

using test::MakeIco;
using test::MakeIconDib;
using test::TIconEntry;

const auto kNoMask = [](int, int) { return false; };

TIconEntry Solid(int size, int bits, uint32_t rgb) {
  std::vector<uint32_t> palette;
  if (bits <= 8) palette = {0, rgb};
  const uint32_t value = bits <= 8 ? 1 : rgb;
  return TIconEntry{size, size, bits, MakeIconDib(size, size, bits, palette, [=](int, int) { return value; }, kNoMask)};
}

TEST(IconDecode, PicksTheLargestThenTheDeepestImage) {
  const std::vector<uint8_t> file = MakeIco({
      Solid(16, 24, 0x111111),
      Solid(32, 4, 0x222222),
      Solid(32, 24, 0x333333),
      Solid(32, 8, 0x444444),
      Solid(24, 32, 0x555555),
  });
  const TIcon icon(file);
  EXPECT_EQ(icon.ClassName(), "TIcon");
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.Height(), 32);
  EXPECT_EQ(icon.Image().Pixel(5, 5), 0x333333u);
  EXPECT_EQ(icon.Data(), file);
}

TEST(IconDecode, PassesOverPngImagesAndRefusesFilesOfOnlyPng) {
  TIconEntry png{0, 0, 32, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}};
  EXPECT_EQ(TIcon(MakeIco({png, Solid(16, 8, 0x00FF00)})).Width(), 16);
  try {
    TIcon icon(MakeIco({png}));
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), kIconPngNotSupported);
  }
}

TEST(IconDecode, PaletteImageWithAndMaskLeavesMaskedPixelsUnchanged) {
  // A 4-bit checkerboard of red and blue whose right half is masked out.
  const std::vector<uint32_t> palette = {0, 0xFF0000, 0x0000FF};
  const std::vector<uint8_t> dib = MakeIconDib(
      6, 4, 4, palette, [](int x, int y) { return (x + y) % 2 ? 2u : 1u; }, [](int x, int) { return x >= 3; });
  const TIcon icon(MakeIco({TIconEntry{6, 4, 4, dib}}));
  ASSERT_EQ(icon.Width(), 6);
  ASSERT_EQ(icon.Height(), 4);
  EXPECT_EQ(icon.Opacity(2, 0), 255);
  EXPECT_EQ(icon.Opacity(3, 0), 0);

  TBitmap24 target;
  target.SetSize(8, 6, 0x00FF00);
  icon.Draw(target, 1, 1);
  EXPECT_EQ(target.Pixel(1, 1), 0x0000FFu);  // red (0x00BBGGRR)
  EXPECT_EQ(target.Pixel(2, 1), 0xFF0000u);  // blue
  EXPECT_EQ(target.Pixel(4, 1), 0x00FF00u);  // masked: the target shows through
  EXPECT_EQ(target.Pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(target.Pixel(6, 4), 0x00FF00u);
}

TEST(IconDecode, AlphaChannelBlendsAndOverridesTheMask) {
  // Alpha 255, 128 and 0 across a white row; the AND mask claims all is opaque.
  const std::vector<uint8_t> dib = MakeIconDib(
      3, 1, 32, {}, [](int x, int) { return (x == 0 ? 0xFF000000u : x == 1 ? 0x80000000u : 0u) | 0xFFFFFFu; },
      kNoMask);
  const TIcon icon(MakeIco({TIconEntry{3, 1, 32, dib}}));
  TBitmap24 target(3, 1);
  icon.Draw(target, 0, 0);
  EXPECT_EQ(target.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(1, 0), 0x808080u);
  EXPECT_EQ(target.Pixel(2, 0), 0u);
  // A 32-bit image with no alpha at all uses its AND mask.
  const std::vector<uint8_t> flat =
      MakeIconDib(2, 1, 32, {}, [](int, int) { return 0xFFFFFFu; }, [](int x, int) { return x == 1; });
  const TIcon masked(MakeIco({TIconEntry{2, 1, 32, flat}}));
  EXPECT_EQ(masked.Opacity(0, 0), 255);
  EXPECT_EQ(masked.Opacity(1, 0), 0);
}

TEST(IconDecode, StretchedDrawingScalesTheMaskWithTheImage) {
  const std::vector<uint8_t> dib =
      MakeIconDib(2, 2, 24, {}, [](int, int) { return 0xFFFFFFu; }, [](int x, int y) { return x == 1 && y == 1; });
  const TIcon icon(MakeIco({TIconEntry{2, 2, 24, dib}}));
  TBitmap24 target(6, 6);
  icon.StretchDraw(target, TRect{1, 1, 5, 5});
  EXPECT_EQ(target.Pixel(1, 1), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(2, 4), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(3, 3), 0u);  // the masked quarter
  EXPECT_EQ(target.Pixel(4, 4), 0u);
  EXPECT_EQ(target.Pixel(5, 1), 0u);  // outside the rectangle
  // Mirrored along x: the masked quarter moves to the left.
  TBitmap24 mirrored(4, 4);
  icon.StretchDraw(mirrored, TRect{4, 0, 0, 4});
  EXPECT_EQ(mirrored.Pixel(0, 3), 0u);
  EXPECT_EQ(mirrored.Pixel(3, 3), 0xFFFFFFu);
  // Partly off the target: clipped, no crash.
  icon.StretchDraw(mirrored, TRect{-100, -3, 2, 100});
}

TEST(IconDecode, DamagedFilesAreRefusedWithTheIconError) {
  const std::vector<uint8_t> good = MakeIco({Solid(16, 8, 0x00FF00)});
  const auto expectInvalid = [](const std::vector<uint8_t>& file) {
    try {
      TIcon icon(file);
      FAIL() << "decoded a bad icon";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), kIconInvalid);
    }
  };
  expectInvalid({0, 0, 1, 0});                         // directory cut short
  expectInvalid({0, 0, 1, 0, 0, 0});                   // no images
  expectInvalid({0, 0, 3, 0, 1, 0});                   // not an icon
  expectInvalid(std::vector<uint8_t>(good.begin(), good.begin() + 20));
  std::vector<uint8_t> offset = good;
  test::Set32(offset, 6 + 12, 0x7FFFFFFF);  // image offset past the end
  expectInvalid(offset);
  // Colour rows cut short.
  expectInvalid(std::vector<uint8_t>(good.begin(), good.begin() + 6 + 16 + 40 + 8 + 100));
  // The AND mask cut short is opaque, not an error.
  const TIcon noMask(std::vector<uint8_t>(good.begin(), good.end() - 40));
  EXPECT_EQ(noMask.Opacity(0, 0), 255);
  EXPECT_TRUE(TIcon(std::vector<uint8_t>{}).Empty());
}

TEST(IconDecode, RandomDamageNeverCrashes) {
  const std::vector<uint8_t> good = MakeIco({Solid(16, 8, 0x00FF00), Solid(8, 32, 0xFF)});
  uint32_t state = 42;
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> file = good;
    for (int i = 0; i < 1 + round % 5; ++i) {
      state = state * 1103515245u + 12345u;
      file[(state >> 8) % file.size()] = static_cast<uint8_t>(state >> 24);
    }
    try {
      TIcon icon(file);
      TBitmap24 target(20, 20);
      icon.Draw(target, 2, 2);
    } catch (const EInvalidGraphic&) {
    }
  }
}

}  // namespace
}  // namespace scr
