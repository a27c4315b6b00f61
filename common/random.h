#pragma once
#include <cstdint>

namespace scr {

// The one program-wide pseudo-random generator: a 32-bit linear congruential state,
// 0 at program start and never seeded from the clock, so every run makes the same
// choices. Used on the main thread only.
class TRandom {
 public:
  // A draw in 0..n-1 (0 for n = 0; the state advances on every call).
  uint32_t Next(uint32_t n) {
    state_ = state_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(state_) * n) >> 32);
  }
  uint32_t State() const { return state_; }
  void SetState(uint32_t s) { state_ = s; }

 private:
  uint32_t state_ = 0;
};

// The program-wide generator.
TRandom& ProgramRandom();

// Random(n) on the program-wide generator; n <= 0 yields 0 and still advances it.
inline int Random(int n) { return static_cast<int>(ProgramRandom().Next(n > 0 ? static_cast<uint32_t>(n) : 0u)); }

// Back to the start state (program start; tools and tests that replay a run).
inline void ResetProgramRandom() { ProgramRandom().SetState(0); }

}  // namespace scr
