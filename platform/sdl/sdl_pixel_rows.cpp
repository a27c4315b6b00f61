#include "platform/sdl/sdl_pixel_rows.h"

#include <bit>
#include <cstring>

namespace scr::platform::sdl {

// The four-pixel step reads the bytes as little-endian words.
static_assert(std::endian::native == std::endian::little);

void WidenRow(const uint8_t* src, uint8_t* dst, int count) {
  // Four pixels at a time: three 32-bit loads hold them, four stores write them.
  int i = 0;
  for (; i + 4 <= count; i += 4, src += 12, dst += 16) {
    uint32_t a, b, c;
    std::memcpy(&a, src, 4);
    std::memcpy(&b, src + 4, 4);
    std::memcpy(&c, src + 8, 4);
    const uint32_t out[4] = {
        a | 0xFF000000u,
        (a >> 24) | (b << 8) | 0xFF000000u,
        (b >> 16) | (c << 16) | 0xFF000000u,
        (c >> 8) | 0xFF000000u,
    };
    std::memcpy(dst, out, 16);
  }
  for (; i < count; ++i, src += 3, dst += 4) {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
    dst[3] = 0xFF;
  }
}

void WidenRect(const TBitmap24& bitmap, const TRect& area, uint8_t* pixels, int pitch) {
  const int width = area.Width();
  if (width <= 0) return;
  for (int y = area.top; y < area.bottom; ++y, pixels += pitch) WidenRow(bitmap.Row(y) + 3 * area.left, pixels, width);
}

}  // namespace scr::platform::sdl
