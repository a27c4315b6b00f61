#include "platform/sdl/sdl_pixel_rows.h"

#include <bit>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif
#include <cstring>

namespace scr::platform::sdl {

// The four-pixel step reads the bytes as little-endian words.
static_assert(std::endian::native == std::endian::little);

namespace {

#if defined(__x86_64__) || defined(__i386__)
// Sixteen pixels at a time with byte shuffles: each 16-byte load holds at least four
// whole pixels. Stops while a load still ends inside the row. Returns the pixels done.
__attribute__((target("ssse3"))) int WidenRowShuffled(const uint8_t* src, uint8_t* dst, int count) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  // The last load of a step reads src[3 * i + 36 .. 3 * i + 51]: 3 * count bytes hold it.
  for (; 3 * i + 52 <= 3 * count; i += 16, src += 48, dst += 64) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 12));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 24));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 36));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_or_si128(_mm_shuffle_epi8(a, spread), opaque));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16), _mm_or_si128(_mm_shuffle_epi8(b, spread), opaque));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 32), _mm_or_si128(_mm_shuffle_epi8(c, spread), opaque));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 48), _mm_or_si128(_mm_shuffle_epi8(d, spread), opaque));
  }
  return i;
}
const bool kHasShuffles = __builtin_cpu_supports("ssse3");
#endif

}  // namespace

void WidenRow(const uint8_t* src, uint8_t* dst, int count) {
  int i = 0;
#if defined(__x86_64__) || defined(__i386__)
  if (kHasShuffles) {
    i = WidenRowShuffled(src, dst, count);
    src += 3 * i;
    dst += 4 * i;
  }
#endif
  // Four pixels at a time: three 32-bit loads hold them, four stores write them.
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
