#include "platform/files.h"

#include <algorithm>
#include <vector>

namespace scr {

std::string CreateErrorText(std::string_view path, std::string_view systemText) {
  return "Cannot create file \"" + std::string(path) + "\". " + std::string(systemText);
}

std::string OpenErrorText(std::string_view path, std::string_view systemText) {
  return "Cannot open file \"" + std::string(path) + "\". " + std::string(systemText);
}

}  // namespace scr

namespace scr::platform {

void CopyBytes(TStream& src, TWriteStream& dst, int64_t count) {
  if (count <= 0) return;
  if (src.Position() < 0 || count > src.Remaining()) throw EReadError(kStreamReadError);
  constexpr int64_t kChunk = 64 * 1024;
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min(count, kChunk)));
  while (count > 0) {
    const size_t n = static_cast<size_t>(std::min<int64_t>(count, kChunk));
    src.ReadBuffer(std::span<uint8_t>(buffer.data(), n));
    dst.Write(std::span<const uint8_t>(buffer.data(), n));
    count -= static_cast<int64_t>(n);
  }
}

}  // namespace scr::platform
