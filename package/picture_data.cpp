#include "package/picture_data.h"

#include <stdexcept>
#include <string>

#include "common/errors.h"
#include "package/bmp_codec.h"
#include "package/icon_image.h"
#include "package/jpeg_image.h"
#include "package/metafile_image.h"
#include "package/picture_bytes.h"

namespace scr {

namespace {

[[noreturn]] void ReadError() { throw EReadError(kStreamReadError); }

// Reads the 4-byte length at `at` and returns the bytes it counts (after the length);
// `countsItself` subtracts the length field's own 4 bytes. Lengths that go past the
// block fail.
std::span<const uint8_t> LengthPrefixed(std::span<const uint8_t> block, size_t at, bool countsItself) {
  if (!picture::Fits(block.size(), at, 4)) ReadError();
  int64_t n = picture::GetS32(block, at);
  if (countsItself) n = n <= 4 ? 0 : n - 4;
  if (n < 0 || !picture::Fits(block.size(), at + 4, static_cast<uint64_t>(n))) ReadError();
  return block.subspan(at + 4, static_cast<size_t>(n));
}

std::vector<uint8_t> Copy(std::span<const uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

}  // namespace

TPictureFile SplitPictureData(std::span<const uint8_t> block) {
  if (block.empty()) ReadError();
  const size_t nameLength = block[0];
  if (nameLength > kMaxPictureClassName || !picture::Fits(block.size(), 1, nameLength)) ReadError();
  std::string name(reinterpret_cast<const char*>(block.data() + 1), nameLength);
  const size_t at = 1 + nameLength;
  if (name == "TBitmap" || name == "TJPEGImage") return {std::move(name), Copy(LengthPrefixed(block, at, false))};
  if (name == "TMetafile") return {std::move(name), Copy(LengthPrefixed(block, at, true))};
  return {std::move(name), Copy(block.subspan(at))};
}

std::unique_ptr<TGraphic> DecodePictureData(std::span<const uint8_t> block) {
  TPictureFile file = SplitPictureData(block);
  if (file.className == "TBitmap") {
    if (file.bytes.empty()) return std::make_unique<TBitmapGraphic>();
    return std::make_unique<TBitmapGraphic>(DecodeBmp(file.bytes));
  }
  if (file.className == "TJPEGImage") return std::make_unique<TJPEGImage>(std::move(file.bytes));
  if (file.className == "TIcon") return std::make_unique<TIcon>(std::move(file.bytes));
  if (file.className == "TMetafile") return std::make_unique<TMetafile>(std::move(file.bytes));
  return nullptr;
}

std::vector<uint8_t> EncodePictureData(std::string_view className, std::span<const uint8_t> fileBytes) {
  if (className.size() > kMaxPictureClassName)
    throw std::invalid_argument("picture class name longer than 63 bytes: " + std::string(className));
  std::vector<uint8_t> out;
  out.reserve(1 + className.size() + 4 + fileBytes.size());
  out.push_back(static_cast<uint8_t>(className.size()));
  out.insert(out.end(), className.begin(), className.end());
  if (className == "TBitmap" || className == "TJPEGImage") {
    picture::Put32(out, static_cast<uint32_t>(fileBytes.size()));
  } else if (className == "TMetafile") {
    picture::Put32(out, static_cast<uint32_t>(fileBytes.size() + 4));
  }
  out.insert(out.end(), fileBytes.begin(), fileBytes.end());
  return out;
}

}  // namespace scr
