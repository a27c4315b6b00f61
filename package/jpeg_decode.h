#pragma once
// JPEG decoding with libjpeg: the header alone (for a picture's size) or the full image
// into a 24-bit bitmap. Every libjpeg error becomes EInvalidGraphic carrying libjpeg's
// own message; libjpeg's warnings are not printed.
#include <cstdint>
#include <span>

#include "common/bitmap24.h"

namespace scr {

struct TJpegHeader {
  int width = 0;
  int height = 0;
  int components = 0;
};

// Reads the header (markers up to the first scan). Throws EInvalidGraphic.
TJpegHeader ReadJpegHeader(std::span<const uint8_t> data);

// Decodes at full scale into colour (greyscale pictures become grey colour pixels),
// without colour quantisation, with block smoothing and the default DCT method.
// Pictures larger than 32768 pixels on a side or 256 megapixels are refused with
// EInvalidGraphic("JPEG image is too large"). Data that ends early decodes as far as it
// goes (the rest grey), as libjpeg does.
TBitmap24 DecodeJpeg(std::span<const uint8_t> data);

inline constexpr const char* kJpegTooLarge = "JPEG image is too large";

}  // namespace scr
