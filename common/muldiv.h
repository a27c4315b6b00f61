#pragma once
#include <cstdint>

namespace scr {

// a * b / d with a 64-bit intermediate, rounded to nearest with halves away from zero.
// d = 0 gives -1, as the system's MulDiv does.
constexpr int MulDiv(int a, int b, int d) {
  if (d == 0) return -1;
  const int64_t n = static_cast<int64_t>(a) * b;
  const bool negative = (n < 0) != (d < 0);
  const uint64_t an = n < 0 ? static_cast<uint64_t>(-n) : static_cast<uint64_t>(n);
  const uint64_t ad = d < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(d)) : static_cast<uint64_t>(d);
  const uint64_t q = (an + ad / 2) / ad;
  const int64_t r = negative ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
  if (r > INT32_MAX || r < INT32_MIN) return -1;
  return static_cast<int>(r);
}

}  // namespace scr
