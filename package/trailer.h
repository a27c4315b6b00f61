#pragma once
// The package trailer: the last 40 bytes of a saver file, two 20-byte fields holding
// the package length and the settings stream's position as space-padded decimal text.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "common/stream.h"

namespace scr {

inline constexpr int64_t kTrailerFieldSize = 20;
inline constexpr int64_t kTrailerSize = 2 * kTrailerFieldSize;

struct TPackageTrailer {
  int32_t PackageLength = 0;   // bytes from the end of the runtime to the trailer
  int32_t SettingsOffset = 0;  // absolute position of the settings stream
};

// A field's value: the bytes up to the first zero byte, stripped of characters of
// code 0x20 and below at both ends, converted leniently (not an integer: 0).
int32_t DecodeTrailerField(std::span<const uint8_t> field);

// Decimal digits, left-aligned, filled with spaces to 20 bytes. The value must lie in
// 0..2147483647 (std::out_of_range otherwise).
std::array<uint8_t, kTrailerFieldSize> EncodeTrailerField(int64_t value);
std::array<uint8_t, kTrailerSize> EncodeTrailer(const TPackageTrailer& trailer);

// True when a field is in the form EncodeTrailerField writes: digits (no leading zero
// unless the value is 0), then spaces to the end. Readers accept more than this.
bool IsWrittenTrailerField(std::span<const uint8_t> field);

// The readers' views of the trailer. Each returns nothing when the stream is too short
// to hold what it reads (the callers then give up).
// The preview's: the package length only.
std::optional<int32_t> ReadPackageLength(TStream& stream);
// The saver window's: both fields, read one after the other.
std::optional<TPackageTrailer> ReadTrailer(TStream& stream);
// The setup dialog's: the settings offset only.
std::optional<int32_t> ReadSettingsOffset(TStream& stream);

// Where the package starts in a file of that size: its first item, the preview.
constexpr int64_t PackageStart(int64_t fileSize, int32_t packageLength) {
  return fileSize - kTrailerSize - packageLength;
}

}  // namespace scr
