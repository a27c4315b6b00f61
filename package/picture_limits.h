#pragma once
// The largest pictures the decoders accept: bigger ones are refused before any pixel
// memory is allocated, so a damaged header cannot ask for gigabytes.
#include <cstdint>

namespace scr::picture {

inline constexpr int64_t kMaxSide = 32768;
inline constexpr int64_t kMaxPixels = int64_t{256} * 1024 * 1024;

constexpr bool SizeAllowed(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}

}  // namespace scr::picture
