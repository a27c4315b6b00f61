#include "package/trailer.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/int_convert.h"

namespace scr {

int32_t DecodeTrailerField(std::span<const uint8_t> field) {
  std::string_view text(reinterpret_cast<const char*>(field.data()), field.size());
  if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  auto low = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && low(text.front())) text.remove_prefix(1);
  while (!text.empty() && low(text.back())) text.remove_suffix(1);
  return StrToIntOrZero(text);
}

std::array<uint8_t, kTrailerFieldSize> EncodeTrailerField(int64_t value) {
  if (value < 0 || value > INT32_MAX) throw std::out_of_range("trailer field out of range: " + std::to_string(value));
  std::array<uint8_t, kTrailerFieldSize> field;
  field.fill(' ');
  const std::string digits = std::to_string(value);
  std::copy(digits.begin(), digits.end(), field.begin());
  return field;
}

std::array<uint8_t, kTrailerSize> EncodeTrailer(const TPackageTrailer& trailer) {
  std::array<uint8_t, kTrailerSize> bytes;
  const auto a = EncodeTrailerField(trailer.PackageLength);
  const auto b = EncodeTrailerField(trailer.SettingsOffset);
  std::copy(a.begin(), a.end(), bytes.begin());
  std::copy(b.begin(), b.end(), bytes.begin() + kTrailerFieldSize);
  return bytes;
}

bool IsWrittenTrailerField(std::span<const uint8_t> field) {
  if (field.size() != kTrailerFieldSize) return false;
  size_t digits = 0;
  while (digits < field.size() && field[digits] >= '0' && field[digits] <= '9') ++digits;
  if (digits == 0 || (digits > 1 && field[0] == '0')) return false;
  for (size_t i = digits; i < field.size(); ++i)
    if (field[i] != ' ') return false;
  return DecodeTrailerField(field) != 0 || digits == 1;
}

namespace {

// Reads the field at `position`; nothing when the file does not hold all 20 bytes
// there (also when the position lies before the start of a file shorter than the
// trailer).
std::optional<int32_t> ReadField(TStream& stream, int64_t position) {
  if (position < 0) return std::nullopt;
  stream.Seek(position);
  std::array<uint8_t, kTrailerFieldSize> field{};
  if (stream.Read(field) != field.size()) return std::nullopt;
  return DecodeTrailerField(field);
}

}  // namespace

std::optional<int32_t> ReadPackageLength(TStream& stream) { return ReadField(stream, stream.Size() - kTrailerSize); }

std::optional<TPackageTrailer> ReadTrailer(TStream& stream) {
  const std::optional<int32_t> length = ReadField(stream, stream.Size() - kTrailerSize);
  if (!length) return std::nullopt;
  const std::optional<int32_t> offset = ReadField(stream, stream.Size() - kTrailerFieldSize);
  if (!offset) return std::nullopt;
  return TPackageTrailer{*length, *offset};
}

std::optional<int32_t> ReadSettingsOffset(TStream& stream) {
  return ReadField(stream, stream.Size() - kTrailerFieldSize);
}

}  // namespace scr
