#include "package/bmp_codec.h"

#include "package/bmp_dib.h"
#include "package/picture_bytes.h"

namespace scr {

namespace {
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
}  // namespace

TBitmap24 DecodeBmp(std::span<const uint8_t> file) {
  if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') dib::Invalid();
  const uint32_t bitsAt = picture::Get32(file, 10);
  const std::span<const uint8_t> info = file.subspan(kFileHeaderSize);
  const size_t hint = bitsAt > kFileHeaderSize ? bitsAt - kFileHeaderSize : 0;
  const dib::TDibHeader header = dib::ReadDibHeader(info, hint);
  return dib::DecodeDibPixels(header, info.subspan(header.bitsOffset));
}

std::vector<uint8_t> EncodeBmp24(const TBitmap24& bitmap) {
  using picture::Put16;
  using picture::Put32;
  const uint32_t width = static_cast<uint32_t>(bitmap.Width());
  const uint32_t height = static_cast<uint32_t>(bitmap.Height());
  const uint32_t stride = static_cast<uint32_t>(TBitmap24::StrideFor(bitmap.Width()));
  const uint32_t imageSize = stride * height;
  const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<uint8_t> out;
  out.reserve(offset + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + imageSize);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, kInfoHeaderSize);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  Put32(out, dib::kRgb);
  Put32(out, imageSize);
  Put32(out, 0);  // horizontal and vertical resolution: unspecified
  Put32(out, 0);
  Put32(out, 0);  // colours used and important: none
  Put32(out, 0);
  // Both layouts pad rows to 4 bytes, so each row goes out as it is kept in memory.
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const uint8_t* row = bitmap.Row(y);
    const size_t used = 3 * static_cast<size_t>(bitmap.Width());
    out.insert(out.end(), row, row + used);
    out.insert(out.end(), stride - used, 0);
  }
  return out;
}

}  // namespace scr
