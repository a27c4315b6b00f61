#pragma once
// Device-independent bitmaps: the header, colour masks and palette that precede a
// bitmap's pixels, and the decoding of the pixels into a 24-bit bitmap. Shared by the
// bitmap file decoder and the icon decoder, which carry the same structure.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/bitmap24.h"

namespace scr::dib {

inline constexpr uint32_t kRgb = 0;
inline constexpr uint32_t kRle8 = 1;
inline constexpr uint32_t kRle4 = 2;
inline constexpr uint32_t kBitFields = 3;
inline constexpr uint32_t kAlphaBitFields = 6;

// One palette colour as bytes blue, green, red.
struct TPaletteEntry {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
};

struct TDibHeader {
  uint32_t headerSize = 0;
  int width = 0;
  int height = 0;       // number of rows, never negative
  bool topDown = false; // rows stored top row first
  int bitCount = 0;
  uint32_t compression = kRgb;
  // Red, green, blue and alpha masks for 16- and 32-bit pixels.
  std::array<uint32_t, 4> masks{};
  std::vector<TPaletteEntry> palette;
  // Offset of the pixel data from the start of the header.
  size_t bitsOffset = 0;
};

// Reads the header at the start of `dib` (a core header of 12 bytes or an info header
// of 16 bytes or more), its masks and its palette. `bitsOffset`, when not 0, is where
// the caller's container says the pixels start (relative to `dib`); a value that
// overlaps the header is ignored and the pixels are taken to follow the palette. A
// palette cut short by that offset keeps the entries present (the others read as
// black). Throws
// EInvalidGraphic("Bitmap image is not valid") on anything malformed or too large.
TDibHeader ReadDibHeader(std::span<const uint8_t> dib, size_t bitsOffset = 0);

// Bytes of one stored row of `width` pixels of `bitCount` bits, padded to 4 bytes.
uint64_t RowBytes(int width, int bitCount);

// Decodes the pixels of `header` from `bits` (the bytes from the start of the pixel
// data to the end of the input). Uncompressed data must hold every row (the last row's
// padding may be missing); run-length data may end early, leaving the rest black.
// With `alpha` given and 32-bit pixels, the alpha channel is stored there, one byte
// per pixel, top row first.
TBitmap24 DecodeDibPixels(const TDibHeader& header, std::span<const uint8_t> bits,
                          std::vector<uint8_t>* alpha = nullptr);

// Throws the bitmap decoder's error.
[[noreturn]] void Invalid();

}  // namespace scr::dib
