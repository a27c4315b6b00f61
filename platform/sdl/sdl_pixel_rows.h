#pragma once
// Widening the bitmaps' 24-bit rows (blue, green, red) to the 32-bit pixels that
// windows and streaming textures take (blue, green, red, then 0xFF): the one copy a
// frame makes on its way to the screen.
#include <cstdint>

#include "common/bitmap24.h"
#include "common/geometry.h"

namespace scr::platform::sdl {

// Widens count pixels from src to dst (4 bytes each). The areas do not overlap.
void WidenRow(const uint8_t* src, uint8_t* dst, int count);

// Widens the part area of bitmap (which lies inside it) into 32-bit pixels: the
// bitmap's pixel (area.left, area.top) lands at pixels, its rows pitch bytes apart.
void WidenRect(const TBitmap24& bitmap, const TRect& area, uint8_t* pixels, int pitch);

}  // namespace scr::platform::sdl
