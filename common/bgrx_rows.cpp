#include "common/bgrx_rows.h"

#include <cstring>

namespace scr {

void WidenBgrRow(const uint8_t* in, uint32_t* out, int count) {
  int k = 0;
  // Four pixels are three little-endian words: b0 g0 r0 b1 | g1 r1 b2 g2 | r2 b3 g3 r3.
  for (; k + 4 <= count; k += 4, in += 12) {
    uint32_t a, b, c;
    std::memcpy(&a, in, 4);
    std::memcpy(&b, in + 4, 4);
    std::memcpy(&c, in + 8, 4);
    out[k] = a & 0x00FFFFFFu;
    out[k + 1] = (a >> 24) | (b & 0xFFFFu) << 8;
    out[k + 2] = (b >> 16) | (c & 0xFFu) << 16;
    out[k + 3] = c >> 8;
  }
  for (; k < count; ++k, in += 3)
    out[k] = static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 | static_cast<uint32_t>(in[2]) << 16;
}

}  // namespace scr
