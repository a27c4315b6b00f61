#pragma once
// Windows bitmap files (.bmp): decoding every common layout into a 24-bit bitmap, and
// writing a 24-bit bitmap as a plain bottom-up file.
#include <cstdint>
#include <span>
#include <vector>

#include "common/bitmap24.h"

namespace scr {

// Decodes a bitmap file starting with "BM": 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, with bit-field masks or run-length encoded (4 and 8 bits), stored
// bottom-up or top-down, with Windows info headers of any version or OS/2 headers.
// A header of zero width or height gives an empty bitmap. Anything malformed, cut
// short or larger than 32768 pixels on a side or 256 megapixels throws
// EInvalidGraphic("Bitmap image is not valid").
TBitmap24 DecodeBmp(std::span<const uint8_t> file);

// A bottom-up 24-bit uncompressed bitmap file of `bitmap`.
std::vector<uint8_t> EncodeBmp24(const TBitmap24& bitmap);

}  // namespace scr
