#pragma once
// Frame values as the control computes them, and counting the generator's draws.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/muldiv.h"
#include "common/random.h"
#include "transition/effect_families.h"

namespace scr::test {

inline TFrameParams Frame(int W, int H, int P, int step = 4) {
  TFrameParams f;
  f.W = W;
  f.H = H;
  f.P = P;
  f.Step = step;
  if (W >= H) {
    f.X = MulDiv(W, P, 100);
    f.Y = MulDiv(f.X, H, W);
  } else {
    f.Y = MulDiv(H, P, 100);
    f.X = MulDiv(f.Y, W, H);
  }
  f.G = MulDiv(std::max(W, H), step, 90);
  return f;
}

// How many draws took the generator from state `from` to its present state.
inline int64_t DrawsSince(uint32_t from, int64_t limit = 10'000'000) {
  TRandom r;
  r.SetState(from);
  const uint32_t now = ProgramRandom().State();
  for (int64_t n = 0; n <= limit; ++n) {
    if (r.State() == now) return n;
    r.Next(0);
  }
  return -1;
}

inline TRegion Rects(std::vector<TRect> rects, int W, int H) { return TRegion::FromRects(rects, TRect{0, 0, W, H}); }

}  // namespace scr::test
