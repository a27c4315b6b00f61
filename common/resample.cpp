#include "common/resample.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace scr {

namespace {

// Where each destination pixel of one axis samples: the byte (or row) offset of the
// lower source pixel and of the upper one, and the upper one's 8-bit share (0..255; a
// share that rounds to a whole pixel moves both taps onto that pixel instead).
struct TTaps {
  std::vector<int> lo, hi;
  std::vector<uint16_t> weight;
  std::vector<int32_t> pair;  // 256 - weight in the low half, weight in the high half
};

TTaps MakeTaps(int first, int count, int dstExtent, int64_t start, int64_t extent, int size, int unit) {
  TTaps t;
  t.lo.resize(static_cast<size_t>(count));
  t.hi.resize(static_cast<size_t>(count));
  t.weight.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    // Centre of destination pixel (first + i) in source units, minus half a pixel.
    const int64_t centre = start + (extent * (2 * int64_t{first + i} + 1)) / (2 * int64_t{dstExtent}) - kFixedOne / 2;
    const int64_t floorPixel = centre >= 0 ? centre / kFixedOne : -((-centre + kFixedOne - 1) / kFixedOne);
    const int64_t fraction = centre - floorPixel * kFixedOne;  // 0..65535
    int64_t lo = std::clamp<int64_t>(floorPixel, 0, size - 1);
    const int64_t hi = std::clamp<int64_t>(floorPixel + 1, 0, size - 1);
    int64_t w = (fraction + 128) >> 8;
    if (w == 256 || lo == hi) {
      lo = w == 256 ? hi : lo;
      w = 0;
    }
    const size_t k = static_cast<size_t>(i);
    t.lo[k] = static_cast<int>(lo) * unit;
    t.hi[k] = static_cast<int>(w == 0 ? lo : hi) * unit;
    t.weight[k] = static_cast<uint16_t>(w);
  }
  t.pair.resize(static_cast<size_t>(count));
  for (size_t k = 0; k < t.pair.size(); ++k)
    t.pair[k] = static_cast<int32_t>((256u - t.weight[k]) | static_cast<uint32_t>(t.weight[k]) << 16);
  return t;
}

// One source row of `rowBytes` scaled across: each channel a * (256 - w) + b * w, kept
// at 8.8 bits. out has room for one channel more than the taps need.
void ScaleRowAcross(const uint8_t* row, size_t rowBytes, const TTaps& xs, uint16_t* out) {
  const size_t n = xs.lo.size();
  const int* lo = xs.lo.data();
  const int* hi = xs.hi.data();
  const uint16_t* wt = xs.weight.data();
  size_t i = 0;
#if defined(__SSE2__)
  const int32_t* pair = xs.pair.data();
  // Eight bytes from the lower tap hold both pixels (the upper one is the next pixel
  // whenever its share is not 0); the pixels whose eight bytes would pass the end of the
  // row are left to the plain loop, as the taps only move right.
  size_t vectorEnd = n;
  while (vectorEnd > 0 && static_cast<size_t>(lo[vectorEnd - 1]) + 8 > rowBytes) --vectorEnd;
  const __m128i zero = _mm_setzero_si128(), bias = _mm_set1_epi32(32768), flip = _mm_set1_epi16(-32768);
  auto pixel = [&](size_t k) {
    const __m128i p = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + lo[k]));
    // a0 b0 a1 b1 a2 b2 as words, times 256 - w and w, summed in pairs.
    const __m128i ab = _mm_unpacklo_epi8(_mm_unpacklo_epi8(p, _mm_srli_epi64(p, 24)), zero);
    return _mm_sub_epi32(_mm_madd_epi16(ab, _mm_set1_epi32(pair[k])), bias);
  };
  for (; i + 4 <= vectorEnd; i += 4, out += 12) {
    // Packed through signed words with the bias, then back: B G R _ of each pixel, the
    // fourth word overwritten by the next pixel.
    const __m128i first = _mm_xor_si128(_mm_packs_epi32(pixel(i), pixel(i + 1)), flip);
    const __m128i second = _mm_xor_si128(_mm_packs_epi32(pixel(i + 2), pixel(i + 3)), flip);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), first);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3), _mm_srli_si128(first, 8));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 6), second);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 9), _mm_srli_si128(second, 8));
  }
#endif
  for (; i < n; ++i, out += 3) {
    const uint8_t* a = row + lo[i];
    const uint8_t* b = row + hi[i];
    const uint32_t w = wt[i], iw = 256 - w;
    out[0] = static_cast<uint16_t>(a[0] * iw + b[0] * w);
    out[1] = static_cast<uint16_t>(a[1] * iw + b[1] * w);
    out[2] = static_cast<uint16_t>(a[2] * iw + b[2] * w);
  }
}

// Two rows at 8.8 bits mixed down into bytes: (upper * (256 - w) + lower * w) / 65536,
// rounded. w is 0..255.
void MixRowsDown(const uint16_t* upper, const uint16_t* lower, uint32_t w, uint8_t* out, size_t n) {
  size_t i = 0;
  if (w == 0) {
#if defined(__SSE2__)
    const __m128i half = _mm_set1_epi16(128);
    for (; i + 16 <= n; i += 16) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + i));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + i + 8));
      const __m128i ra = _mm_srli_epi16(_mm_adds_epu16(a, half), 8);
      const __m128i rb = _mm_srli_epi16(_mm_adds_epu16(b, half), 8);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(ra, rb));
    }
#endif
    for (; i < n; ++i) out[i] = static_cast<uint8_t>((upper[i] + 128u) >> 8);
    return;
  }
  // Each product's high half: floor(v * share / 256), the sum at 8.8 bits again.
  const uint32_t wu = (256 - w) << 8, wl = w << 8;
#if defined(__SSE2__)
  const __m128i mu = _mm_set1_epi16(static_cast<short>(wu)), ml = _mm_set1_epi16(static_cast<short>(wl));
  const __m128i half = _mm_set1_epi16(128);
  for (; i + 16 <= n; i += 16) {
    const __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + i));
    const __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + i + 8));
    const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + i));
    const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + i + 8));
    const __m128i s0 = _mm_add_epi16(_mm_mulhi_epu16(a0, mu), _mm_mulhi_epu16(b0, ml));
    const __m128i s1 = _mm_add_epi16(_mm_mulhi_epu16(a1, mu), _mm_mulhi_epu16(b1, ml));
    const __m128i r0 = _mm_srli_epi16(_mm_adds_epu16(s0, half), 8);
    const __m128i r1 = _mm_srli_epi16(_mm_adds_epu16(s1, half), 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(r0, r1));
  }
#endif
  for (; i < n; ++i) {
    const uint32_t s = ((upper[i] * wu) >> 16) + ((lower[i] * wl) >> 16);
    out[i] = static_cast<uint8_t>((s + 128) >> 8);
  }
}

}  // namespace

void BilinearScale(TBitmap24& dst, const TRect& dstRect, const TBitmap24& src, const TFixedWindow& window) {
  if (src.Empty() || window.w <= 0 || window.h <= 0 || dstRect.Width() <= 0 || dstRect.Height() <= 0) return;
  const TRect clip{std::max(dstRect.left, 0), std::max(dstRect.top, 0), std::min(dstRect.right, dst.Width()),
                   std::min(dstRect.bottom, dst.Height())};
  if (clip.left >= clip.right || clip.top >= clip.bottom) return;
  const int cols = clip.right - clip.left, rows = clip.bottom - clip.top;
  const TTaps xs = MakeTaps(clip.left - dstRect.left, cols, dstRect.Width(), window.x, window.w, src.Width(), 3);
  const TTaps ys = MakeTaps(clip.top - dstRect.top, rows, dstRect.Height(), window.y, window.h, src.Height(), 1);
  // Separable: each source row is scaled across once into a row of 8.8-bit channels
  // (the two most recent ones kept, as neighbouring destination rows share them), and
  // destination rows are mixed down from two of those.
  const size_t n = 3 * static_cast<size_t>(cols);
  std::vector<uint16_t> cache[2] = {std::vector<uint16_t>(n + 1), std::vector<uint16_t>(n + 1)};
  int cached[2] = {-1, -1};
  auto across = [&](int sy, int keep) -> const uint16_t* {
    for (int k = 0; k < 2; ++k)
      if (cached[k] == sy) return cache[k].data();
    // Replace the one not kept for this row, else the one further up.
    const int k = cached[0] == keep ? 1 : cached[1] == keep ? 0 : cached[0] < cached[1] ? 0 : 1;
    ScaleRowAcross(src.Row(sy), 3 * static_cast<size_t>(src.Width()), xs, cache[k].data());
    cached[k] = sy;
    return cache[k].data();
  };
  for (int r = 0; r < rows; ++r) {
    const size_t k = static_cast<size_t>(r);
    uint8_t* out = dst.Row(clip.top + r) + 3 * clip.left;
    const uint16_t* upper = across(ys.lo[k], -1);
    const uint16_t* lower = ys.weight[k] == 0 ? upper : across(ys.hi[k], ys.lo[k]);
    MixRowsDown(upper, lower, ys.weight[k], out, n);
  }
}

TBitmap24 ReduceByBoxes(const TBitmap24& src, int factor) {
  factor = std::max(factor, 1);
  const int w = (src.Width() + factor - 1) / factor, h = (src.Height() + factor - 1) / factor;
  TBitmap24 out(w, h);
  std::vector<uint32_t> sums(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    const int y0 = y * factor, y1 = std::min(src.Height(), y0 + factor);
    for (int sy = y0; sy < y1; ++sy) {
      const uint8_t* row = src.Row(sy);
      uint32_t* s = sums.data();
      // Block by block, no division per pixel.
      for (int x0 = 0; x0 < src.Width(); x0 += factor, s += 3) {
        const uint8_t* p = row + 3 * x0;
        const uint8_t* end = row + 3 * std::min(src.Width(), x0 + factor);
        uint32_t b = 0, g = 0, r = 0;
        for (; p < end; p += 3) {
          b += p[0];
          g += p[1];
          r += p[2];
        }
        s[0] += b;
        s[1] += g;
        s[2] += r;
      }
    }
    uint8_t* o = out.Row(y);
    const uint32_t blockH = static_cast<uint32_t>(y1 - y0);
    for (int x = 0; x < w; ++x) {
      const uint32_t count = blockH * static_cast<uint32_t>(std::min(src.Width(), (x + 1) * factor) - x * factor);
      for (int k = 0; k < 3; ++k)
        o[3 * x + k] = static_cast<uint8_t>((sums[3 * static_cast<size_t>(x) + k] + count / 2) / count);
    }
  }
  return out;
}

namespace {

// The source pixels (clamped to 0..size-1) sampled for each of n destination pixels
// across a window of one axis: up to `samples` of them, spread evenly over each
// destination pixel's part.
std::vector<int> SamplePoints(int64_t start, int64_t extent, int n, int size, int samples, int& perPixel) {
  const int64_t part = extent / n;  // 16.16 source units per destination pixel
  perPixel = static_cast<int>(std::clamp<int64_t>(part / kFixedOne, 1, samples));
  std::vector<int> points(static_cast<size_t>(n) * static_cast<size_t>(perPixel));
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < perPixel; ++j) {
      const int64_t at = start + extent * i / n + part * (2 * j + 1) / (2 * perPixel);
      points[static_cast<size_t>(i) * perPixel + j] = static_cast<int>(std::clamp<int64_t>(at / kFixedOne, 0, size - 1));
    }
  return points;
}

}  // namespace

TBitmap24 AverageSampled(const TBitmap24& src, const TFixedWindow& window, int w, int h, int samples) {
  TBitmap24 out(std::max(w, 0), std::max(h, 0));
  if (out.Empty() || src.Empty() || window.w <= 0 || window.h <= 0) return out;
  samples = std::max(samples, 1);
  int nx = 1, ny = 1;
  const std::vector<int> xs = SamplePoints(window.x, window.w, w, src.Width(), samples, nx);
  const std::vector<int> ys = SamplePoints(window.y, window.h, h, src.Height(), samples, ny);
  const uint32_t count = static_cast<uint32_t>(nx * ny);
  std::vector<uint32_t> sums(3 * static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int j = 0; j < ny; ++j) {
      const uint8_t* row = src.Row(ys[static_cast<size_t>(y) * ny + j]);
      const int* px = xs.data();
      for (int x = 0; x < w; ++x) {
        uint32_t* s = sums.data() + 3 * static_cast<size_t>(x);
        for (int i = 0; i < nx; ++i, ++px) {
          const uint8_t* p = row + 3 * *px;
          s[0] += p[0];
          s[1] += p[1];
          s[2] += p[2];
        }
      }
    }
    uint8_t* o = out.Row(y);
    for (size_t k = 0; k < sums.size(); ++k) o[k] = static_cast<uint8_t>((sums[k] + count / 2) / count);
  }
  return out;
}

}  // namespace scr
