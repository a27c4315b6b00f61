#pragma once
// Little-endian field access for the picture decoders. Every read names an offset and
// is checked against the bytes present, so a decoder never reads past its input.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace scr::picture {

// True when [offset, offset + count) lies inside a buffer of `size` bytes.
constexpr bool Fits(size_t size, uint64_t offset, uint64_t count) {
  return offset <= size && count <= size - offset;
}

inline uint16_t Get16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline uint32_t Get32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline int16_t GetS16(std::span<const uint8_t> b, size_t at) { return static_cast<int16_t>(Get16(b, at)); }
inline int32_t GetS32(std::span<const uint8_t> b, size_t at) { return static_cast<int32_t>(Get32(b, at)); }

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace scr::picture
