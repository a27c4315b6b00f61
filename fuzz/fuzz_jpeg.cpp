// A JPEG file through the project's libjpeg error manager: the header alone, then the
// whole picture. Every libjpeg error must come back as an exception (never an exit or
// a jump past C++ frames), and a decoded picture has the size its header gave.
#include <cstddef>
#include <cstdint>

#include "common/errors.h"
#include "package/jpeg_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  scr::TJpegHeader header;
  try {
    header = scr::ReadJpegHeader(bytes);
  } catch (const scr::Exception&) {
    return 0;
  }
  // Bound the work per input; the decoder enforces its own, far larger, size limit.
  if (int64_t{header.width} * header.height > (int64_t{1} << 22)) return 0;
  try {
    const scr::TBitmap24 picture = scr::DecodeJpeg(bytes);
    if (picture.Width() != header.width || picture.Height() != header.height) __builtin_trap();
  } catch (const scr::Exception&) {
  }
  return 0;
}
