#include "transition/pixel_effects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace scr {

namespace {

// frame byte * keep / 100 + new byte * take / 100, each quotient truncated. For a byte v
// and 0 < k < 100, v * k / 100 = (v * ceil(k * 65536 / 100)) >> 16 exactly: the
// multiplier's excess adds less than 255 / 65536 < 0.01, below the step between two
// hundredths.
void BlendRow(uint8_t* f, const uint8_t* n, size_t bytes, unsigned keep, unsigned take) {
  size_t k = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i mKeep = _mm_set1_epi16(static_cast<short>((keep * 65536u + 99u) / 100u));
  const __m128i mTake = _mm_set1_epi16(static_cast<short>((take * 65536u + 99u) / 100u));
  for (; k + 16 <= bytes; k += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + k));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(n + k));
    const __m128i lo = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(a, zero), mKeep),
                                     _mm_mulhi_epu16(_mm_unpacklo_epi8(b, zero), mTake));
    const __m128i hi = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpackhi_epi8(a, zero), mKeep),
                                     _mm_mulhi_epu16(_mm_unpackhi_epi8(b, zero), mTake));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(f + k), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; k < bytes; ++k) f[k] = static_cast<uint8_t>(f[k] * keep / 100 + n[k] * take / 100);
}

// Copies into row d, for o in [begin, end), the new picture's pixel at
// (px + nearest((o - px) cs - dysn), py + nearest((o - px) sn + dycs)); every sample is
// known to lie inside the picture.
void SampleRun(uint8_t* d, const TBitmap24& src, int begin, int end, int px, int py, double cs, double sn,
               double dysn, double dycs) {
  auto copy = [&](int o, long u, long v) {
    const uint8_t* s = src.Row(static_cast<int>(py + v)) + 3 * static_cast<size_t>(px + u);
    uint8_t* p = d + 3 * static_cast<size_t>(o);
    p[0] = s[0];
    p[1] = s[1];
    p[2] = s[2];
  };
  int o = begin;
#if defined(__SSE2__)
  // Two pixels at a time; the products, sums and the conversion (nearest, halves to
  // even, under the default rounding mode) are the same operations as the scalar path.
  const __m128d vcs = _mm_set1_pd(cs), vsn = _mm_set1_pd(sn);
  const __m128d vdysn = _mm_set1_pd(dysn), vdycs = _mm_set1_pd(dycs), two = _mm_set1_pd(2.0);
  __m128d dx = _mm_set_pd(static_cast<double>(o + 1 - px), static_cast<double>(o - px));
  for (; o + 2 <= end; o += 2) {
    const __m128i u = _mm_cvtpd_epi32(_mm_sub_pd(_mm_mul_pd(dx, vcs), vdysn));
    const __m128i v = _mm_cvtpd_epi32(_mm_add_pd(_mm_mul_pd(dx, vsn), vdycs));
    copy(o, _mm_cvtsi128_si32(u), _mm_cvtsi128_si32(v));
    copy(o + 1, _mm_cvtsi128_si32(_mm_shuffle_epi32(u, 1)), _mm_cvtsi128_si32(_mm_shuffle_epi32(v, 1)));
    dx = _mm_add_pd(dx, two);
  }
#endif
  for (; o < end; ++o) {
    const double dx1 = static_cast<double>(o - px);
    copy(o, std::lrint(dx1 * cs - dysn), std::lrint(dx1 * sn + dycs));
  }
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
  // Sample coordinates of pixel o in row i: u(o) = px + nearest(dx cs - dy sn),
  // v(o) = py + nearest(dx sn + dy cs) with dx = o - px, dy = i - py. With
  // 0 <= theta <= pi/2 both never decrease as o grows, so the pixels whose sample lies
  // inside the picture form one run per row, found by bisection with the very same
  // arithmetic. The frame is walked in square tiles so that the samples of a tile come
  // from a small patch of the new picture.
  constexpr int kTile = 64;
  int runBegin[kTile], runEnd[kTile];
  double rowSn[kTile], rowCs[kTile];
  for (int i0 = 0; i0 < h; i0 += kTile) {
    const int rows = std::min(kTile, h - i0);
    for (int r = 0; r < rows; ++r) {
      const double dy = static_cast<double>(i0 + r) - py;
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
      runBegin[r] = std::max(first([&](int o) { return u(o) >= 0; }), first([&](int o) { return v(o) >= 0; }));
      runEnd[r] = std::min(first([&](int o) { return u(o) >= w; }), first([&](int o) { return v(o) >= h; }));
      rowSn[r] = dysn;
      rowCs[r] = dycs;
    }
    for (int o0 = 0; o0 < w; o0 += kTile) {
      for (int r = 0; r < rows; ++r) {
        const int begin = std::max(runBegin[r], o0), end = std::min(runEnd[r], o0 + kTile);
        if (begin < end) SampleRun(frame.Row(i0 + r), newBitmap, begin, end, px, py, cs, sn, rowSn[r], rowCs[r]);
      }
    }
  }
}

}  // namespace scr
