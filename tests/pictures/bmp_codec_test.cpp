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

// Palettes and the builders use 0x00RRGGBB; TBitmap24::Pixel gives 0x00BBGGRR.
constexpr uint32_t Bgr(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }
const std::vector<uint32_t> kPalette16 = {0, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080, 0x123456, 0xABCDEF,
                                          0x010203, 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F0F0F, 0xF0F0F0};

void ExpectInvalid(const std::vector<uint8_t>& file) {
  try {
    DecodeBmp(file);
    ADD_FAILURE() << "decoded a bad bitmap";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
}

// Pixel (x, y) shows palette entry (x + 2y) mod colours.
TBmpSpec PalettePicture(int width, int height, int bits, bool topDown, uint32_t headerSize = 40) {
  const int colours = 1 << bits;
  TBmpSpec s;
  s.headerSize = headerSize;
  s.width = width;
  s.height = topDown ? -height : height;
  s.bitCount = static_cast<uint16_t>(bits);
  for (int i = 0; i < colours; ++i) s.palette.push_back(kPalette16[i % 16] ^ (0x010101u * (i / 16)));
  s.pixels = PackRows(width, height, bits, topDown, [&](int x, int y) { return static_cast<uint32_t>((x + 2 * y) % colours); });
  return s;
}

TEST(BmpDecode, PaletteDepthsBothRowOrdersAndCoreHeaders) {
  for (uint32_t headerSize : {40u, 12u, 124u})
    for (int bits : {1, 4, 8})
      for (bool topDown : {false, true}) {
        if (headerSize == 12 && topDown) continue;  // core headers have unsigned heights
        SCOPED_TRACE(testing::Message() << headerSize << "-byte header, " << bits << " bits, top-down " << topDown);
        const TBmpSpec s = PalettePicture(13, 5, bits, topDown, headerSize);  // rows end inside a byte
        const TBitmap24 b = DecodeBmp(MakeBmp(s));
        ASSERT_EQ(b.Width(), 13);
        ASSERT_EQ(b.Height(), 5);
        for (int y = 0; y < 5; ++y)
          for (int x = 0; x < 13; ++x) ASSERT_EQ(b.Pixel(x, y), Bgr(s.palette[(x + 2 * y) % (1 << bits)])) << x << "," << y;
      }
}

TEST(BmpDecode, ShortPalettesReadMissingEntriesAsBlack) {
  TBmpSpec s;
  s.width = 6;
  s.height = 1;
  s.bitCount = 8;
  s.colorsUsed = 3;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  s.pixels = PackRows(6, 1, 8, false, [](int x, int) { return static_cast<uint32_t>(x); });
  TBitmap24 b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(2, 0), Bgr(0x0000FF));
  EXPECT_EQ(b.Pixel(3, 0), 0u);  // index past the palette
  // A palette promised as 256 entries but cut short by the pixel offset.
  s.colorsUsed = 0;
  s.palette.resize(2);
  b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(1, 0), Bgr(0x00FF00));
  EXPECT_EQ(b.Pixel(2, 0), 0u);
}

// Packed pixels: narrow channels widen by repeating their top bits, so the largest
// value is full intensity.
TEST(BmpDecode, PackedPixelsWithDefaultAndExplicitMasks) {
  struct Case {
    uint16_t bits;
    uint32_t compression, headerSize;
    std::vector<uint32_t> masks;
    uint32_t pixel, rgb;
  };
  const Case cases[] = {
      {24, 0, 40, {}, 0x123456, 0x123456},
      {32, 0, 40, {}, 0xAB123456, 0x123456},                               // top byte ignored
      {16, 0, 40, {}, (3 << 10) | (16 << 5) | 1, 0x188408},                // 555 by default
      {16, 0, 40, {}, 0x7FFF, 0xFFFFFF},
      {16, 3, 40, {0xF800, 0x07E0, 0x001F}, (1 << 11) | (1 << 5) | 31, 0x0804FF},  // 565 after the header
      {16, 3, 124, {0x7C00, 0x03E0, 0x001F}, 0x001F, 0x0000FF},            // masks inside a long header
      {16, 6, 40, {0xF800, 0x07E0, 0x001F, 0}, 0xF800, 0xFF0000},          // with an alpha mask
      {32, 3, 40, {0x000000FF, 0x0000FF00, 0x00FF0000}, 0x332211, 0x112233},  // red in the low byte
  };
  for (const Case& c : cases) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.bits << " bits, pixel " << std::hex << c.pixel << ", top-down " << topDown);
      TBmpSpec s;
      s.width = 3;
      s.height = topDown ? -2 : 2;
      s.bitCount = c.bits;
      s.compression = c.compression;
      s.headerSize = c.headerSize;
      s.masks = c.masks;
      s.pixels = PackRows(3, 2, c.bits, topDown, [&](int x, int y) { return x == 2 && y == 0 ? c.pixel : 0u; });
      const TBitmap24 b = DecodeBmp(MakeBmp(s));
      EXPECT_EQ(b.Pixel(2, 0), Bgr(c.rgb));
      EXPECT_EQ(b.Pixel(2, 1), 0u);
    }
  }
}

TBmpSpec RleSpec(int width, int height, int bits, std::vector<uint8_t> data) {
  TBmpSpec s;
  s.width = width;
  s.height = height;
  s.bitCount = static_cast<uint16_t>(bits);
  s.compression = bits == 8 ? 1 : 2;
  s.palette = kPalette16;
  s.colorsUsed = 16;
  s.pixels = std::move(data);
  return s;
}

// Rows as text, top row first: the palette index of each pixel in hex, '.' for black.
std::vector<std::string> Indexes(const TBitmap24& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string row;
    for (int x = 0; x < b.Width(); ++x) {
      char c = '?';
      for (int i = 0; i < 16; ++i)
        if (Bgr(kPalette16[i]) == b.Pixel(x, y)) c = ".123456789ABCDEF"[i];
      row += c;
    }
    rows.push_back(row);
  }
  return rows;
}

// Decodes run-length data and gives the rows as text.
std::vector<std::string> RleRows(int width, int height, int bits, std::vector<uint8_t> data) {
  return Indexes(DecodeBmp(MakeBmp(RleSpec(width, height, bits, std::move(data)))));
}
using Rows = std::vector<std::string>;

TEST(BmpDecode, Rle8RunsAbsoluteBlocksDeltasAndEndCodes) {
  const Rows rows = RleRows(6, 4, 8, {
      0x03, 0x01, 0x00, 0x03, 0x02, 0x03, 0x02, 0x00,  // bottom row: run of 3, absolute 3 (padded)
      0x00, 0x00,                                      // end of line
      0x02, 0x03, 0x00, 0x02, 0x01, 0x02,              // run of 2, delta right 1 and up 2
      0x02, 0x04, 0x00, 0x01,                          // run of 2, end of bitmap
      0x05, 0x05,                                      // after the end: ignored
  });
  EXPECT_EQ(rows, (Rows{"...44.", "......", "33....", "111232"}));
  // Data that ends early, and a delta off the picture, end it; the rest stays black.
  EXPECT_EQ(RleRows(4, 3, 8, {0x04, 0x02, 0x00, 0x00, 0x02, 0x03}), (Rows{"....", "33..", "2222"}));
  EXPECT_EQ(RleRows(4, 2, 8, {0x00, 0x02, 0xFF, 0xFF, 0x04, 0x01}), (Rows{"....", "...."}));
}

TEST(BmpDecode, Rle4AlternatesNibblesAndClipsAtTheRightEdge) {
  const Rows rows = RleRows(7, 2, 4, {
      0x05, 0x12, 0x00, 0x03, 0x33, 0x10,  // 1 2 1 2 1, absolute 3 3 1 (the 1 is past the edge)
      0x00, 0x00,
      0x00, 0x05, 0x12, 0x34, 0x50, 0x00,  // absolute 1 2 3 4 5, padded to 4 bytes
      0x09, 0x66,                          // run longer than the row's rest: clipped, no wrap
      0x00, 0x01,
  });
  EXPECT_EQ(rows, (Rows{"1234566", "1212133"}));
}

TEST(BmpDecode, RefusesBadLayoutsAndHugeSizesBeforeAllocating) {
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
  // Run-length data has no size to check against, so the header alone must be sane.
  const auto rle = [](int32_t width, int32_t height) { return MakeBmp(RleSpec(width, height, 8, {0x00, 0x01})); };
  ExpectInvalid(rle(32769, 1));
  ExpectInvalid(rle(1, 32769));
  ExpectInvalid(rle(20000, 20000));  // 400 megapixels
  ExpectInvalid(rle(4, INT32_MIN));
  EXPECT_EQ(DecodeBmp(rle(32768, 1)).Width(), 32768);
  // Uncompressed pixels must all be present.
  ExpectInvalid(with([](TBmpSpec& s) { s.width = 30000; s.height = 8000; }));
  // A palette far past the end, with no pixel offset to cut it short.
  std::vector<uint8_t> palette = with([](TBmpSpec& s) { s.colorsUsed = 0xFFFFFFFF; });
  test::Set32(palette, 10, 0);
  ExpectInvalid(palette);
  ExpectInvalid({'B', 'A', 0, 0});
  ExpectInvalid({});
}

TEST(BmpDecode, TruncatedAndDamagedFilesNeverCrash) {
  const std::vector<uint8_t> plain = MakeBmp(PalettePicture(9, 4, 4, false));
  const std::vector<uint8_t> rle = MakeBmp(RleSpec(6, 4, 8, {0x03, 0x01, 0x00, 0x03, 0x02, 0x03, 0x02, 0x00, 0x00, 0x01}));
  for (const auto* file : {&plain, &rle})
    for (size_t n = 0; n < file->size(); ++n) {
      try {
        DecodeBmp(std::vector<uint8_t>(file->begin(), file->begin() + n));
      } catch (const EInvalidGraphic&) {
      }
    }
  // Every row is needed; only the last row's padding may be missing.
  ExpectInvalid(std::vector<uint8_t>(plain.begin(), plain.end() - 4));
  EXPECT_EQ(DecodeBmp(std::vector<uint8_t>(plain.begin(), plain.end() - 3)).Width(), 9);

  uint32_t state = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> file = round % 3 ? plain : rle;
    for (int i = 0; i <= round % 8; ++i) {
      state = state * 1103515245u + 12345u;
      file[2 + (state >> 8) % (file.size() - 2)] = static_cast<uint8_t>(state >> 24);
    }
    try {
      EXPECT_LE(DecodeBmp(file).Width(), 32768);
    } catch (const EInvalidGraphic&) {
    }
  }
}

TEST(BmpEncode, WritesABottomUp24BitFileThatDecodesBack) {
  TBitmap24 b(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, static_cast<uint32_t>(x * 50 + (y * 80 << 8) + (x * y << 16)));
  const std::vector<uint8_t> file = EncodeBmp24(b);
  ASSERT_EQ(file.size(), 54u + 16 * 3);  // rows of 15 bytes padded to 16
  EXPECT_EQ(file[22], 3);                // positive height: bottom-up
  EXPECT_EQ(file[28], 24);
  EXPECT_EQ(file[54 + 2], b.Pixel(0, 2) & 0xFF);  // the first stored row is the bottom one
  EXPECT_EQ(DecodeBmp(file), b);
  EXPECT_TRUE(DecodeBmp(EncodeBmp24(TBitmap24())).Empty());
}

}  // namespace
}  // namespace scr
