// Metafile data: an enhanced or Windows metafile read for its size (its header record,
// or the placeable header before a Windows metafile), alone and inside a picture data
// block whose length counts itself. The records after the header are played by the
// system's graphics on Windows and kept here as they are.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/errors.h"
#include "package/metafile_image.h"
#include "package/picture_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  try {
    const scr::TMetafile metafile(bytes);
    if (metafile.Width() < 0 || metafile.Height() < 0) __builtin_trap();
    if (!metafile.Empty() && metafile.Data() != bytes) __builtin_trap();
  } catch (const scr::Exception&) {
  }
  try {
    (void)scr::DecodePictureData(scr::EncodePictureData("TMetafile", bytes));
  } catch (const scr::Exception&) {
  }
  return 0;
}
