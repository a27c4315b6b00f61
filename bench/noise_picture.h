#pragma once
// Pictures of random pixels for the benchmarks: every byte differs from its
// neighbours, so no effect gets cheaper from what the picture shows.
#include <cstdint>
#include <random>

#include "common/bitmap24.h"

namespace bench {

inline scr::TBitmap24 NoisePicture(int W, int H, uint32_t seed) {
  scr::TBitmap24 b(W, H);
  std::mt19937 rng(seed);
  for (int y = 0; y < H; ++y)
    for (size_t k = 0; k < 3 * static_cast<size_t>(W); ++k) b.Row(y)[k] = static_cast<uint8_t>(rng());
  return b;
}

}  // namespace bench
