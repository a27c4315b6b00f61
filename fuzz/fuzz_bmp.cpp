// A bitmap file of any layout (palettes, bit fields, 4- and 8-bit run-length data,
// core and info headers, top-down rows) decoded into a 24-bit bitmap; what decodes
// must survive the project's own writer unchanged.
#include <cstddef>
#include <cstdint>

#include "common/errors.h"
#include "package/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  scr::TBitmap24 bitmap;
  try {
    bitmap = scr::DecodeBmp(std::span<const uint8_t>(data, size));
  } catch (const scr::Exception&) {
    return 0;
  }
  if (bitmap.Empty() || int64_t{bitmap.Width()} * bitmap.Height() > (int64_t{1} << 20)) return 0;
  if (!(scr::DecodeBmp(scr::EncodeBmp24(bitmap)) == bitmap)) __builtin_trap();
  return 0;
}
