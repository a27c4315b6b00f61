#pragma once
// Rows of 24-bit pixels (blue, green, red) widened to 32-bit words 0x00RRGGBB, the
// layout screens and window systems take without converting again.
#include <cstdint>

namespace scr {

// Widens `count` pixels from `in` (3 bytes each) into `out` (one word each). Reads
// exactly 3 * count bytes; the top byte of every word is 0. Little-endian machines.
void WidenBgrRow(const uint8_t* in, uint32_t* out, int count);

}  // namespace scr
