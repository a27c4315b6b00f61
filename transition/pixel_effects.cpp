#include "transition/pixel_effects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace scr {

namespace {

// v / 100 for 0 <= v <= 25500, exactly: (v * 5243) >> 19.
inline unsigned Div100(unsigned v) { return (v * 5243u) >> 19; }

void BlendRow(uint8_t* f, const uint8_t* n, size_t bytes, unsigned keep, unsigned take) {
  size_t k = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i kKeep = _mm_set1_epi16(static_cast<short>(keep));
  const __m128i kTake = _mm_set1_epi16(static_cast<short>(take));
  const __m128i kMagic = _mm_set1_epi16(5243);
  auto part = [&](__m128i a, __m128i b) {
    const __m128i qa = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(a, kKeep), kMagic), 3);
    const __m128i qb = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(b, kTake), kMagic), 3);
    return _mm_add_epi16(qa, qb);
  };
  for (; k + 16 <= bytes; k += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + k));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(n + k));
    const __m128i lo = part(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero));
    const __m128i hi = part(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(f + k), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; k < bytes; ++k) f[k] = static_cast<uint8_t>(Div100(f[k] * keep) + Div100(n[k] * take));
}

}  // namespace

void BlendBitmaps(TBitmap24& frame, const TBitmap24& newBitmap, int P) {
  P = std::clamp(P, 0, 100);
  const int w = std::min(frame.Width(), newBitmap.Width());
  const int h = std::min(frame.Height(), newBitmap.Height());
  if (w <= 0 || h <= 0 || P == 0) return;  // at P = 0 every byte keeps its value
  const size_t bytes = 3 * static_cast<size_t>(w);
  for (int y = 0; y < h; ++y) {
    if (P == 100) std::memcpy(frame.Row(y), newBitmap.Row(y), bytes);
    else BlendRow(frame.Row(y), newBitmap.Row(y), bytes, static_cast<unsigned>(100 - P), static_cast<unsigned>(P));
  }
}

void RotateBitmap(TBitmap24& frame, const TBitmap24& newBitmap, int px, int py, int P) {
  P = std::clamp(P, 0, 100);
  const int w = std::min(frame.Width(), newBitmap.Width());
  const int h = std::min(frame.Height(), newBitmap.Height());
  if (w <= 0 || h <= 0) return;
  const double theta = (100 - P) * 3.14159265358979323846 / 200;
  const double sn = std::sin(theta), cs = std::cos(theta);
  // Sample coordinates of pixel o in a row: u(o) = px + nearest(dx cs - dy sn),
  // v(o) = py + nearest(dx sn + dy cs) with dx = o - px. With 0 <= theta <= pi/2 both
  // never decrease as o grows, so the pixels with a sample inside the picture form one
  // run per row, found by bisection with the very same arithmetic.
  for (int i = 0; i < h; ++i) {
    const double dy = static_cast<double>(i) - py;
    const double dysn = dy * sn, dycs = dy * cs;
    auto u = [&](int o) { return px + std::lrint(static_cast<double>(o - px) * cs - dysn); };
    auto v = [&](int o) { return py + std::lrint(static_cast<double>(o - px) * sn + dycs); };
    // First o in [0, w] at which pred holds (pred never turns false again).
    auto first = [&](auto pred) {
      int lo = 0, hi = w;
      while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (pred(mid)) hi = mid;
        else lo = mid + 1;
      }
      return lo;
    };
    const int begin = std::max(first([&](int o) { return u(o) >= 0; }), first([&](int o) { return v(o) >= 0; }));
    const int end = std::min(first([&](int o) { return u(o) >= w; }), first([&](int o) { return v(o) >= h; }));
    uint8_t* d = frame.Row(i);
    for (int o = begin; o < end; ++o) {
      const long su = u(o), sv = v(o);
      const uint8_t* s = newBitmap.Row(static_cast<int>(sv)) + 3 * static_cast<size_t>(su);
      uint8_t* p = d + 3 * static_cast<size_t>(o);
      p[0] = s[0];
      p[1] = s[1];
      p[2] = s[2];
    }
  }
}

}  // namespace scr
