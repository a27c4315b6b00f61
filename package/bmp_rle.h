#pragma once
#include <cstdint>
#include <span>

#include "common/bitmap24.h"
#include "package/bmp_dib.h"

namespace scr::dib {

// Decodes 8- or 4-bit run-length pixel data into `out` (already sized, black). Runs
// and absolute blocks past the right edge are clipped; end-of-line, end-of-bitmap and
// delta codes are honoured; pixels never written stay black. Data that ends early
// simply ends the picture. The work is bounded by the input size.
void DecodeRlePixels(const TDibHeader& header, std::span<const uint8_t> bits, TBitmap24& out);

}  // namespace scr::dib
