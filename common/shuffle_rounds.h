#pragma once
// The order of a shuffled show without repeats: rounds in which every picture comes
// once, each a random permutation drawn from the program-wide generator, and a new
// round never starting with the picture that ended the last.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace scr {

class TShuffleRounds {
 public:
  // The next index in 0..count-1 (0 when count <= 0). A change of count starts a new
  // round.
  int32_t Next(int32_t count);

 private:
  void NewRound(int32_t count);
  std::vector<int32_t> round_;
  size_t next_ = 0;
  int32_t last_ = -1;
};

}  // namespace scr
