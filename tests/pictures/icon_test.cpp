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
  const std::vector<uint32_t> palette = bits <= 8 ? std::vector<uint32_t>{0, rgb} : std::vector<uint32_t>{};
  const uint32_t value = bits <= 8 ? 1 : rgb;
  return TIconEntry{size, size, bits, MakeIconDib(size, size, bits, palette, [=](int, int) { return value; }, kNoMask)};
}

std::string ErrorOf(const std::vector<uint8_t>& file) {
  try {
    TIcon icon(file);
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "(decoded)";
}

TEST(Icon, PicksTheLargestThenTheDeepestImageAndPassesOverPng) {
  const TIconEntry png{0, 0, 32, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}};
  const std::vector<uint8_t> file = MakeIco({Solid(16, 24, 0x111111), Solid(32, 4, 0x222222), png,
                                             Solid(32, 24, 0x333333), Solid(32, 8, 0x444444), Solid(24, 32, 0x555555)});
  const TIcon icon(file);
  EXPECT_EQ(icon.ClassName(), "TIcon");
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.Height(), 32);
  EXPECT_EQ(icon.Image().Pixel(5, 5), 0x333333u);
  EXPECT_EQ(icon.Data(), file);
  EXPECT_EQ(ErrorOf(MakeIco({png})), kIconPngNotSupported);
}

TEST(Icon, AndMaskAndAlphaDecideWhatShowsThrough) {
  // A 4-bit checkerboard of red and blue whose right half is masked out.
  const std::vector<uint8_t> dib = MakeIconDib(
      6, 4, 4, {0, 0xFF0000, 0x0000FF}, [](int x, int y) { return (x + y) % 2 ? 2u : 1u; }, [](int x, int) { return x >= 3; });
  const TIcon icon(MakeIco({TIconEntry{6, 4, 4, dib}}));
  TBitmap24 target;
  target.SetSize(8, 6, 0x00FF00);
  icon.Draw(target, 1, 1);
  EXPECT_EQ(target.Pixel(1, 1), 0x0000FFu);  // red (0x00BBGGRR)
  EXPECT_EQ(target.Pixel(2, 1), 0xFF0000u);  // blue
  EXPECT_EQ(target.Pixel(4, 1), 0x00FF00u);  // masked: the target shows through
  EXPECT_EQ(target.Pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(target.Pixel(6, 4), 0x00FF00u);

  // Alpha 255, 128 and 0 over white pixels; the AND mask, all opaque, does not count.
  const TIcon alpha(MakeIco({TIconEntry{3, 1, 32, MakeIconDib(3, 1, 32, {}, [](int x, int) {
    return (x == 0 ? 0xFF000000u : x == 1 ? 0x80000000u : 0u) | 0xFFFFFFu; }, kNoMask)}}));
  TBitmap24 black(3, 1);
  alpha.Draw(black, 0, 0);
  EXPECT_EQ(black.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(black.Pixel(1, 0), 0x808080u);
  EXPECT_EQ(black.Pixel(2, 0), 0u);
  // Without any alpha a 32-bit image uses its AND mask.
  const TIcon flat(MakeIco({TIconEntry{2, 1, 32, MakeIconDib(2, 1, 32, {}, [](int, int) { return 0xFFFFFFu; },
                                                             [](int x, int) { return x == 1; })}}));
  EXPECT_EQ(flat.Opacity(0, 0), 255);
  EXPECT_EQ(flat.Opacity(1, 0), 0);
}

TEST(Icon, StretchedDrawingScalesTheMaskWithTheImage) {
  const TIcon icon(MakeIco({TIconEntry{2, 2, 24, MakeIconDib(2, 2, 24, {}, [](int, int) { return 0xFFFFFFu; },
                                                             [](int x, int y) { return x == 1 && y == 1; })}}));
  TBitmap24 target(6, 6);
  icon.StretchDraw(target, TRect{1, 1, 5, 5});
  EXPECT_EQ(target.Pixel(1, 1), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(2, 4), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(3, 3), 0u);  // the masked quarter
  EXPECT_EQ(target.Pixel(4, 4), 0u);
  EXPECT_EQ(target.Pixel(5, 1), 0u);  // outside the rectangle
  TBitmap24 mirrored(4, 4);
  icon.StretchDraw(mirrored, TRect{4, 0, 0, 4});  // mirrored along x
  EXPECT_EQ(mirrored.Pixel(0, 3), 0u);
  EXPECT_EQ(mirrored.Pixel(3, 3), 0xFFFFFFu);
  icon.StretchDraw(mirrored, TRect{-100, -3, 2, 100});  // mostly off the target
}

TEST(Icon, DamagedFilesAreRefusedWithTheIconErrorAndNeverCrash) {
  const std::vector<uint8_t> good = MakeIco({Solid(16, 8, 0x00FF00), Solid(8, 32, 0xFF)});
  EXPECT_EQ(ErrorOf({0, 0, 1, 0}), kIconInvalid);              // directory cut short
  EXPECT_EQ(ErrorOf({0, 0, 1, 0, 0, 0}), kIconInvalid);        // no images
  EXPECT_EQ(ErrorOf({0, 0, 3, 0, 1, 0}), kIconInvalid);        // not an icon
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(good.begin(), good.begin() + 40)), kIconInvalid);
  std::vector<uint8_t> offsets = good;
  test::Set32(offsets, 6 + 12, 0x7FFFFFFF);  // first image past the end: the other one counts
  EXPECT_EQ(TIcon(offsets).Width(), 8);
  test::Set32(offsets, 6 + 16 + 12, 0x7FFFFFFF);
  EXPECT_EQ(ErrorOf(offsets), kIconInvalid);
  // Colour rows cut short are an error; a mask cut short is opaque.
  const std::vector<uint8_t> one = MakeIco({Solid(16, 8, 0x00FF00)});
  EXPECT_EQ(ErrorOf(std::vector<uint8_t>(one.begin(), one.begin() + 6 + 16 + 40 + 8 + 100)), kIconInvalid);
  EXPECT_EQ(TIcon(std::vector<uint8_t>(one.begin(), one.end() - 40)).Opacity(0, 0), 255);
  EXPECT_TRUE(TIcon(std::vector<uint8_t>{}).Empty());

  uint32_t state = 42;
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> file = good;
    for (int i = 0; i <= round % 5; ++i) {
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
