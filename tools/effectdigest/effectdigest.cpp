// Prints one line per picture size and style (58..127): a 64-bit FNV-1a digest of the
// frames of a whole run (P = 0, 3, ..., 99, Step 3), each frame composed from the same
// pseudo-random old and new pictures, the program-wide generator starting from its
// start state for each size.

#include <cinttypes>
#include <cstdio>
#include <utility>

#include "common/muldiv.h"
#include "common/random.h"
#include "transition/effect_families.h"
#include "transition/effect_regions.h"

namespace {

void FillNoise(scr::TBitmap24& a, scr::TBitmap24& b) {
  uint32_t s = 1;
  for (int y = 0; y < a.Height(); ++y)
    for (int k = 0; k < 3 * a.Width(); ++k) {
      s = s * 1103515245u + 12345u;
      a.Row(y)[k] = static_cast<uint8_t>(s >> 24);
      b.Row(y)[k] = static_cast<uint8_t>(s >> 16);
    }
}

}  // namespace

int main() {
  using namespace scr;
  const std::pair<int, int> sizes[] = {{640, 480}, {333, 517}, {101, 37}, {3, 200}};
  for (auto [W, H] : sizes) {
    TBitmap24 old(W, H), next(W, H);
    FillNoise(old, next);
    ResetProgramRandom();
    for (int style = 58; style <= 127; ++style) {
      uint64_t h = 1469598103934665603ull;
      TStyleRegionBuilder builder;
      TRegion region;
      for (int P = 0; P <= 100; P += 3) {
        TFrameParams f;
        f.W = W;
        f.H = H;
        f.P = P;
        f.Step = 3;
        if (W >= H) {
          f.X = MulDiv(W, P, 100);
          f.Y = MulDiv(f.X, H, W);
        } else {
          f.Y = MulDiv(H, P, 100);
          f.X = MulDiv(f.Y, W, H);
        }
        f.G = MulDiv(W > H ? W : H, 3, 90);
        TBitmap24 frame = old;
        if (StyleKind(style) == TStyleKind::Pixel) {
          DrawPixelStyle(style, f, next, frame);
        } else {
          builder.Build(style, f, region);
          DrawThroughRegion(region, next, frame);
        }
        for (int y = 0; y < H; ++y)
          for (int k = 0; k < 3 * W; ++k) {
            h ^= frame.Row(y)[k];
            h *= 1099511628211ull;
          }
      }
      std::printf("%dx%d style %d %016" PRIx64 "\n", W, H, style, h);
    }
  }
  return 0;
}
