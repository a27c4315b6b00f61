#include "common/stream.h"

#include <algorithm>
#include <cstring>

namespace scr {

size_t TMemoryStream::Read(std::span<uint8_t> out) {
  // Nothing to copy: also keeps an empty buffer's null pointer away from memcpy.
  if (out.empty() || position_ >= Size()) return 0;
  const size_t n = std::min(out.size(), static_cast<size_t>(Size() - position_));
  std::memcpy(out.data(), bytes_.data() + position_, n);
  position_ += static_cast<int64_t>(n);
  return n;
}

}  // namespace scr
