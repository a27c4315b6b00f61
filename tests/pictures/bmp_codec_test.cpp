// Bitmap files: every depth and layout decodes to the same colours; damaged files are
// refused with the bitmap error and never read out of bounds.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "package/bmp_codec.h"
#include "tests/pictures/picture_builders.h"

namespace scr {
namespace {

using test::MakeBmp;
using test::PackRows;
using test::TBmpSpec;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;
// TBitmap24 reports pixels as 0x00BBGGRR; the builders take 0x00RRGGBB like a palette.
constexpr uint32_t Bgr(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

const std::vector<uint32_t> kPalette16 = {kBlack, kRed, kGreen, kBlue, kWhite, 0x808080, 0x123456, 0xABCDEF,
                                          0x010203, 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F0F0F, 0xF0F0F0};

void ExpectInvalid(const std::vector<uint8_t>& file) {
  try {
    DecodeBmp(file);
    FAIL() << "decoded a bad bitmap";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
}

// A palette picture where pixel (x, y) shows palette entry (x + 2y) mod colours.
TBmpSpec PalettePicture(int width, int height, int bits, bool topDown) {
  const int colours = 1 << bits;
  TBmpSpec s;
  s.width = width;
  s.height = topDown ? -height : height;
  s.bitCount = static_cast<uint16_t>(bits);
  for (int i = 0; i < colours; ++i) s.palette.push_back(kPalette16[i % 16] ^ (i >= 16 ? 0x010101u * (i / 16) : 0));
  s.pixels = PackRows(width, height, bits, topDown, [&](int x, int y) { return static_cast<uint32_t>((x + 2 * y) % colours); });
  return s;
}

void ExpectPalettePicture(const TBitmap24& b, const TBmpSpec& s) {
  const int height = s.height < 0 ? -s.height : s.height;
  ASSERT_EQ(b.Width(), s.width);
  ASSERT_EQ(b.Height(), height);
  const int colours = 1 << s.bitCount;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < s.width; ++x)
      ASSERT_EQ(b.Pixel(x, y), Bgr(s.palette[(x + 2 * y) % colours])) << "at " << x << "," << y;
}

TEST(BmpDecode, PaletteDepthsBottomUpAndTopDown) {
  for (int bits : {1, 4, 8}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
      // Odd widths make rows end inside a byte and need padding.
      const TBmpSpec s = PalettePicture(13, 5, bits, topDown);
      ExpectPalettePicture(DecodeBmp(MakeBmp(s)), s);
    }
  }
}

TEST(BmpDecode, OS2CoreHeaderWithThreeBytePalette) {
  TBmpSpec s = PalettePicture(7, 3, 4, false);
  s.headerSize = 12;
  ExpectPalettePicture(DecodeBmp(MakeBmp(s)), s);
}

TEST(BmpDecode, ShortPaletteAndOutOfRangeIndexes) {
  // Three colours used; indexes 3 and up have no entry and show black.
  TBmpSpec s;
  s.width = 6;
  s.height = 1;
  s.bitCount = 8;
  s.colorsUsed = 3;
  s.palette = {kRed, kGreen, kBlue};
  s.pixels = PackRows(6, 1, 8, false, [](int x, int) { return static_cast<uint32_t>(x); });
  const TBitmap24 b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 0), Bgr(kRed));
  EXPECT_EQ(b.Pixel(2, 0), Bgr(kBlue));
  EXPECT_EQ(b.Pixel(3, 0), 0u);
  EXPECT_EQ(b.Pixel(5, 0), 0u);
}

TEST(BmpDecode, PaletteCutShortByPixelOffsetKeepsWhatIsThere) {
  // The header promises 256 entries but the pixels start after two.
  TBmpSpec s;
  s.width = 3;
  s.height = 1;
  s.bitCount = 8;
  s.palette = {kRed, kGreen};
  s.pixels = PackRows(3, 1, 8, false, [](int x, int) { return static_cast<uint32_t>(x); });
  const TBitmap24 b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 0), Bgr(kRed));
  EXPECT_EQ(b.Pixel(1, 0), Bgr(kGreen));
  EXPECT_EQ(b.Pixel(2, 0), 0u);
}

TEST(BmpDecode, TrueColourDepths) {
  const auto colour = [](int x, int y) { return static_cast<uint32_t>((x * 40) << 16 | (y * 60) << 8 | (x * y * 7)); };
  for (int bits : {24, 32}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
      TBmpSpec s;
      s.width = 5;
      s.height = topDown ? -4 : 4;
      s.bitCount = static_cast<uint16_t>(bits);
      s.pixels = PackRows(5, 4, bits, topDown, [&](int x, int y) { return colour(x, y) | 0xAB000000u; });
      const TBitmap24 b = DecodeBmp(MakeBmp(s));
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(b.Pixel(x, y), Bgr(colour(x, y))) << x << "," << y;
    }
  }
}

// 16-bit pixels: channel values widen by repeating their top bits, so that the
// largest value is full intensity.
TEST(BmpDecode, SixteenBitDefaultAnd565BitFields) {
  struct Case {
    uint32_t compression;
    std::vector<uint32_t> masks;
    uint32_t headerSize;
    uint16_t pixel;
    uint32_t rgb;
  };
  const Case cases[] = {
      {0, {}, 40, 0x7C00, kRed},                                      // 555 by default
      {0, {}, 40, 0x03E0 | 0x001F, 0x00FFFF},
      {0, {}, 40, (3 << 10) | (16 << 5) | 1, 0x188408},               // 00011 -> 0x18, 10000 -> 0x84
      {3, {0xF800, 0x07E0, 0x001F}, 40, 0x07E0, kGreen},              // 565, masks after header
      {3, {0xF800, 0x07E0, 0x001F}, 40, (1 << 11) | (1 << 5) | 31, 0x0804FF},
      {3, {0x7C00, 0x03E0, 0x001F}, 124, 0x001F, kBlue},              // masks inside a long header
      {6, {0xF800, 0x07E0, 0x001F, 0}, 40, 0xF800, kRed},             // alpha bit fields
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pixel " << std::hex << c.pixel << " compression " << c.compression);
    TBmpSpec s;
    s.width = 3;
    s.height = 1;
    s.bitCount = 16;
    s.compression = c.compression;
    s.masks = c.masks;
    s.headerSize = c.headerSize;
    s.pixels = PackRows(3, 1, 16, false, [&](int, int) { return static_cast<uint32_t>(c.pixel); });
    const TBitmap24 b = DecodeBmp(MakeBmp(s));
    EXPECT_EQ(b.Pixel(2, 0), Bgr(c.rgb));
  }
}

TEST(BmpDecode, ThirtyTwoBitFieldsInAnyOrder) {
  TBmpSpec s;
  s.width = 2;
  s.height = 1;
  s.bitCount = 32;
  s.compression = 3;
  s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the low byte
  s.pixels = PackRows(2, 1, 32, false, [](int x, int) { return x == 0 ? 0x000011u : 0x332211u; });
  const TBitmap24 b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 0), 0x000011u);  // 0x00BBGGRR: red 0x11
  EXPECT_EQ(b.Pixel(1, 0), 0x332211u);
}

TBmpSpec RleSpec(int width, int height, int bits, std::vector<uint8_t> data) {
  TBmpSpec s;
  s.width = width;
  s.height = height;
  s.bitCount = static_cast<uint16_t>(bits);
  s.compression = bits == 8 ? 1 : 2;
  s.palette = std::vector<uint32_t>(kPalette16.begin(), kPalette16.begin() + (bits == 8 ? 16 : 16));
  s.colorsUsed = 16;
  s.pixels = std::move(data);
  return s;
}

// Rows as text, top row first: one palette index per pixel in hex, '.' for black.
std::vector<std::string> Indexes(const TBitmap24& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string row;
    for (int x = 0; x < b.Width(); ++x) {
      const uint32_t p = b.Pixel(x, y);
      char c = '?';
      for (int i = 1; i < 16; ++i)
        if (Bgr(kPalette16[i]) == p) c = "0123456789ABCDEF"[i];
      if (p == 0) c = '.';
      row += c;
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(BmpDecode, Rle8RunsAbsoluteBlocksDeltaAndEndCodes) {
  const TBmpSpec s = RleSpec(6, 4, 8, {
      0x03, 0x01, 0x00, 0x03, 0x02, 0x03, 0x02, 0x00,  // bottom row: run of 3, absolute 3 (padded)
      0x00, 0x00,                                      // end of line
      0x02, 0x03, 0x00, 0x02, 0x01, 0x02,              // run of 2, then delta right 1, up 2
      0x02, 0x04, 0x00, 0x01,                          // run of 2, end of bitmap
      0x05, 0x05,                                      // after the end: ignored
  });
  EXPECT_EQ(Indexes(DecodeBmp(MakeBmp(s))), (std::vector<std::string>{"...44.", "......", "33....", "111232"}));
}

TEST(BmpDecode, Rle4AlternatesNibblesAndClipsAtTheRightEdge) {
  const TBmpSpec s = RleSpec(7, 2, 4, {
      0x05, 0x12, 0x00, 0x03, 0x33, 0x10,  // 1 2 1 2 1, absolute 3 3 1 (the last is past the edge)
      0x00, 0x00,
      0x00, 0x05, 0x12, 0x34, 0x50, 0x00,  // absolute 1 2 3 4 5, padded to 4 bytes
      0x09, 0x66,                          // run longer than the row's rest: clipped, no wrap
      0x00, 0x01,
  });
  EXPECT_EQ(Indexes(DecodeBmp(MakeBmp(s))), (std::vector<std::string>{"1234566", "1212133"}));
}

TEST(BmpDecode, RleThatEndsEarlyLeavesTheRestBlack) {
  const TBmpSpec s = RleSpec(4, 3, 8, {0x04, 0x02, 0x00, 0x00, 0x02, 0x03});
  EXPECT_EQ(Indexes(DecodeBmp(MakeBmp(s))), (std::vector<std::string>{"....", "33..", "2222"}));
  // Deltas that run off the picture stop it.
  const TBmpSpec off = RleSpec(4, 2, 8, {0x00, 0x02, 0xFF, 0xFF, 0x04, 0x01});
  EXPECT_EQ(Indexes(DecodeBmp(MakeBmp(off))), (std::vector<std::string>{"....", "...."}));
}

TEST(BmpDecode, ZeroSizeGivesAnEmptyBitmap) {
  TBmpSpec s;
  s.width = 0;
  s.height = 10;
  EXPECT_TRUE(DecodeBmp(MakeBmp(s)).Empty());
}

TEST(BmpDecode, RefusesUnsupportedLayouts) {
  const auto with = [](auto change) {
    TBmpSpec s = PalettePicture(4, 2, 8, false);
    change(s);
    return MakeBmp(s);
  };
  ExpectInvalid(with([](TBmpSpec& s) { s.bitCount = 7; }));
  ExpectInvalid(with([](TBmpSpec& s) { s.compression = 2; }));  // 4-bit run-length on 8 bits
  ExpectInvalid(with([](TBmpSpec& s) { s.compression = 4; }));  // embedded JPEG
  ExpectInvalid(with([](TBmpSpec& s) { s.compression = 1; s.height = -2; }));  // top-down run-length
  ExpectInvalid(with([](TBmpSpec& s) { s.compression = 3; }));  // bit fields on a palette picture
  ExpectInvalid(with([](TBmpSpec& s) { s.width = -4; }));
  ExpectInvalid(with([](TBmpSpec& s) { s.headerSize = 13; }));
  ExpectInvalid(with([](TBmpSpec& s) { s.headerSize = 12; s.bitCount = 16; }));
}

TEST(BmpDecode, RefusesHugeDimensionsBeforeAllocating) {
  const auto header = [](int32_t width, int32_t height, uint32_t colours) {
    TBmpSpec s;
    s.width = width;
    s.height = height;
    s.bitCount = 8;
    s.colorsUsed = colours;
    s.compression = 1;  // run-length: no pixel data size to check against
    s.pixels = {0x00, 0x01};
    s.palette = {kRed};
    return MakeBmp(s);
  };
  ExpectInvalid(header(32769, 1, 1));
  ExpectInvalid(header(1, 32769, 1));
  ExpectInvalid(header(20000, 20000, 1));          // 400 megapixels
  ExpectInvalid(header(4, INT32_MIN, 1));
  // A palette far past the end: cut to what lies before the pixels, or refused when
  // the file gives no pixel offset.
  EXPECT_EQ(DecodeBmp(header(4, 4, 0xFFFFFFFF)).Width(), 4);
  std::vector<uint8_t> noOffset = header(4, 4, 0xFFFFFFFF);
  test::Set32(noOffset, 10, 0);
  ExpectInvalid(noOffset);
  EXPECT_EQ(DecodeBmp(header(32768, 1, 1)).Width(), 32768);
  // Uncompressed pixels must be present before any pixel memory is taken.
  TBmpSpec big;
  big.width = 30000;
  big.height = 8000;
  big.bitCount = 24;
  big.pixels.assign(100, 0);
  ExpectInvalid(MakeBmp(big));
}

TEST(BmpDecode, EveryTruncationIsRefusedOrDecodedSafely) {
  const std::vector<std::vector<uint8_t>> files = {
      MakeBmp(PalettePicture(9, 4, 4, false)),
      MakeBmp(RleSpec(6, 4, 8, {0x03, 0x01, 0x00, 0x03, 0x02, 0x03, 0x02, 0x00, 0x00, 0x01})),
  };
  for (const auto& file : files) {
    for (size_t n = 0; n < file.size(); ++n) {
      const std::vector<uint8_t> cut(file.begin(), file.begin() + n);
      try {
        DecodeBmp(cut);
      } catch (const EInvalidGraphic&) {
      }
    }
  }
  // Uncompressed data needs every row; only the last row's padding may be missing.
  const std::vector<uint8_t>& plain = files[0];
  ExpectInvalid(std::vector<uint8_t>(plain.begin(), plain.end() - 4));
  EXPECT_EQ(DecodeBmp(std::vector<uint8_t>(plain.begin(), plain.end() - 3)).Width(), 9);
}

TEST(BmpDecode, GarbageAfterTheSignatureNeverCrashes) {
  uint32_t state = 12345;
  const auto next = [&] { return (state = state * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> file = MakeBmp(PalettePicture(5, 5, round % 2 ? 8 : 4, false));
    const int changes = 1 + round % 8;
    for (int i = 0; i < changes; ++i) file[next() % file.size()] = static_cast<uint8_t>(next());
    file[0] = 'B';
    file[1] = 'M';
    try {
      const TBitmap24 b = DecodeBmp(file);
      EXPECT_LE(b.Width(), 32768);
    } catch (const EInvalidGraphic&) {
    }
  }
  ExpectInvalid({'B', 'A', 0, 0});
  ExpectInvalid({});
}

TEST(BmpEncode, WritesABottomUp24BitFileThatDecodesBack) {
  TBitmap24 b(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, static_cast<uint32_t>(x * 50 + (y * 80 << 8) + (x * y << 16)));
  const std::vector<uint8_t> file = EncodeBmp24(b);
  ASSERT_EQ(file.size(), 54u + 16 * 3);  // rows of 15 bytes padded to 16
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[28], 24);          // bits per pixel
  EXPECT_EQ(file[22], 3);           // positive height: bottom-up
  EXPECT_EQ(file[54 + 2], b.Pixel(0, 2) & 0xFF);  // first stored row is the bottom one (red byte)
  EXPECT_EQ(DecodeBmp(file), b);
  EXPECT_TRUE(DecodeBmp(EncodeBmp24(TBitmap24())).Empty());
}

}  // namespace
}  // namespace scr
