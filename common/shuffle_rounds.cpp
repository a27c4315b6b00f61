#include "common/shuffle_rounds.h"

#include <numeric>
#include <utility>

#include "common/random.h"

namespace scr {

void TShuffleRounds::NewRound(int32_t count) {
  round_.resize(static_cast<size_t>(count));
  std::iota(round_.begin(), round_.end(), 0);
  // Fisher-Yates, from the last place down.
  for (int32_t i = count - 1; i > 0; --i) std::swap(round_[static_cast<size_t>(i)], round_[static_cast<size_t>(Random(i + 1))]);
  // The seam: the picture that ended the last round does not open this one.
  if (count > 1 && round_[0] == last_) std::swap(round_[0], round_[static_cast<size_t>(1 + Random(count - 1))]);
  next_ = 0;
}

int32_t TShuffleRounds::Next(int32_t count) {
  if (count <= 0) return 0;
  if (static_cast<int32_t>(round_.size()) != count || next_ >= round_.size()) NewRound(count);
  last_ = round_[next_++];
  return last_;
}

}  // namespace scr
