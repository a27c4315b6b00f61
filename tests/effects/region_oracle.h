#pragma once
// A plain bitmask over a window of the plane: the reference the regions are checked
// against, and seeded random inputs that can be replayed one seed at a time.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "transition/region.h"

namespace scr::test {

class TMask {
 public:
  explicit TMask(TRect window) : w_(window), bits_(static_cast<size_t>(window.Width()) * window.Height(), 0) {}
  TRect Window() const { return w_; }
  bool Get(int x, int y) const {
    if (x < w_.left || x >= w_.right || y < w_.top || y >= w_.bottom) return false;
    return bits_[Index(x, y)] != 0;
  }
  void Set(int x, int y, bool on) {
    if (x < w_.left || x >= w_.right || y < w_.top || y >= w_.bottom) return;
    bits_[Index(x, y)] = on ? 1 : 0;
  }
  static TMask Of(const TRegion& r, TRect window) {
    TMask m(window);
    for (int y = window.top; y < window.bottom; ++y)
      for (int x = window.left; x < window.right; ++x) m.Set(x, y, r.Contains(x, y));
    return m;
  }
  template <class F>
  static TMask Where(TRect window, F inside) {
    TMask m(window);
    for (int y = window.top; y < window.bottom; ++y)
      for (int x = window.left; x < window.right; ++x) m.Set(x, y, inside(x, y));
    return m;
  }
  int64_t Count() const {
    int64_t n = 0;
    for (uint8_t b : bits_) n += b;
    return n;
  }
  friend bool operator==(const TMask&, const TMask&) = default;

  // The first differing pixel, for failure messages.
  std::string FirstDifference(const TMask& other) const {
    for (int y = w_.top; y < w_.bottom; ++y)
      for (int x = w_.left; x < w_.right; ++x)
        if (Get(x, y) != other.Get(x, y))
          return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + (Get(x, y) ? "set" : "clear") +
                 " vs " + (other.Get(x, y) ? "set" : "clear");
    return "none";
  }

 private:
  size_t Index(int x, int y) const {
    return static_cast<size_t>(y - w_.top) * w_.Width() + static_cast<size_t>(x - w_.left);
  }
  TRect w_;
  std::vector<uint8_t> bits_;
};

// The seeds a randomised test runs: 0..count-1, or only the one named by
// SCR_REGION_SEED to replay a failure.
inline std::vector<uint32_t> TestSeeds(uint32_t count) {
  std::vector<uint32_t> seeds;
  if (const char* one = std::getenv("SCR_REGION_SEED")) {
    seeds.push_back(static_cast<uint32_t>(std::strtoul(one, nullptr, 10)));
    return seeds;
  }
  for (uint32_t s = 0; s < count; ++s) seeds.push_back(s);
  return seeds;
}

#define EXPECT_REGION_MATCHES(region, mask)                                                       \
  do {                                                                                            \
    const auto& region_ = (region);                                                               \
    const auto& mask_ = (mask);                                                                   \
    EXPECT_TRUE(region_.Valid());                                                                 \
    const auto actual_ = ::scr::test::TMask::Of(region_, mask_.Window());                         \
    EXPECT_TRUE(actual_ == mask_) << "first difference at " << actual_.FirstDifference(mask_);    \
  } while (0)

}  // namespace scr::test
