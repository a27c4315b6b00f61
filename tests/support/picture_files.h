#pragma once
// Picture files written with the project's own writers for tests, probes and fuzz
// seeds: bitmap files with any header, palette and pixel layout, icon files, and JPEG
// files encoded with libjpeg.
#include <cstdint>
#include <functional>
#include <vector>

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

// The header record of an enhanced metafile (108 bytes): bounds in pixels, frame in
// hundredths of a millimetre, and a reference device of 1024 x 768 pixels on
// 320 x 240 mm.
std::vector<uint8_t> EmfHeader(int frameRight, int frameBottom, int boundsRight, int boundsBottom);
// A Windows metafile with its placeable header: a bounding box from 0,0 in logical
// units of `inch` per inch, then the standard header of an empty metafile.
std::vector<uint8_t> PlaceableWmf(int16_t right, int16_t bottom, uint16_t inch);

}  // namespace scr::test
