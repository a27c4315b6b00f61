#pragma once
// Builders for the picture files the tests feed the decoders: bitmap files with any
// header, palette and pixel layout, icon files, JPEG files encoded with libjpeg, and
// an image comparison that leaves both images on disk when it fails.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/bitmap24.h"

namespace scr::test {

void Put16(std::vector<uint8_t>& out, uint32_t v);
void Put32(std::vector<uint8_t>& out, uint32_t v);
void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v);

struct TBmpSpec {
  uint32_t headerSize = 40;  // 12 for an OS/2 core header
  int32_t width = 0;
  int32_t height = 0;  // negative: top-down
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // written after a 40-byte header, else inside it
  std::vector<uint8_t> pixels;    // the stored pixel data
  int64_t bitsOffset = -1;        // file offset of the pixels; -1 computes it
};

// The header, masks and palette of a device-independent bitmap (no file header).
std::vector<uint8_t> MakeDibHeader(const TBmpSpec& desc);
// A complete bitmap file.
std::vector<uint8_t> MakeBmp(const TBmpSpec& desc);

// Stored rows of raw pixel values (palette indexes or packed pixels) of `bits` bits,
// each row padded to 4 bytes, bottom row first unless topDown.
std::vector<uint8_t> PackRows(int width, int height, int bits, bool topDown,
                              const std::function<uint32_t(int x, int y)>& value);

// One image of an icon file: the stored bytes (a DIB with its mask, or PNG bytes).
struct TIconEntry {
  int width = 0;  // as in the directory (256 is written as 0)
  int height = 0;
  int bitCount = 0;
  std::vector<uint8_t> data;
};
std::vector<uint8_t> MakeIco(const std::vector<TIconEntry>& entries);
// A DIB icon image: colours from `rgb` (0x00RRGGBB, or 0xAARRGGBB for 32 bits) at 24
// or 32 bits, or palette indexes at up to 8 bits; `masked` marks AND-mask bits.
std::vector<uint8_t> MakeIconDib(int width, int height, int bits, const std::vector<uint32_t>& palette,
                                 const std::function<uint32_t(int x, int y)>& value,
                                 const std::function<bool(int x, int y)>& masked);

// A JPEG file of `rgb` (bytes red, green, blue, row by row), or of grey samples when
// components is 1.
std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& samples, int width, int height, int components,
                                int quality, bool progressive = false);

// Compares two bitmaps allowing `tolerance` per channel; on failure writes both as BMP
// files named after `name` into the test output folder and says where.
::testing::AssertionResult BitmapsNear(const TBitmap24& actual, const TBitmap24& expected, int tolerance,
                                       const std::string& name);

}  // namespace scr::test
