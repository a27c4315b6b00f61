#pragma once
// Windows icon files (.ico): choosing one image of the file and decoding it with its
// transparency.
#include <cstdint>
#include <span>

#include "common/bitmap24.h"

namespace scr {

// One icon image: its colours and, in the same layout, its opacity (0 transparent,
// 255 opaque) kept in every byte of each pixel of `opacity`.
struct TIconPicture {
  TBitmap24 image;
  TBitmap24 opacity;
};

// Decodes the largest image of an icon file, the deepest among equally large ones.
// Images are device-independent bitmaps of any depth with their AND mask (32-bit images
// with an alpha channel use it instead). PNG images are passed over; a file holding
// nothing else throws EInvalidGraphic(kIconPngNotSupported). Anything malformed throws
// EInvalidGraphic(kIconInvalid).
TIconPicture DecodeIcon(std::span<const uint8_t> file);

inline constexpr const char* kIconInvalid = "Icon image is not valid";
inline constexpr const char* kIconPngNotSupported = "PNG icon images are not supported";

}  // namespace scr
