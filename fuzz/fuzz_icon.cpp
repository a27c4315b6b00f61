// An icon file: its directory, the choice of image, and the image's bitmap with its
// mask or alpha channel. The opacity always comes in the colours' layout.
#include <cstddef>
#include <cstdint>

#include "common/errors.h"
#include "package/icon_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const scr::TIconPicture icon = scr::DecodeIcon(std::span<const uint8_t>(data, size));
    if (icon.image.Width() != icon.opacity.Width() || icon.image.Height() != icon.opacity.Height()) __builtin_trap();
  } catch (const scr::Exception&) {
  }
  return 0;
}
