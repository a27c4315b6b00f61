#pragma once
// Pictures into the forms the runtime reads. JPEG, Windows bitmaps, icons and
// metafiles that need no change go in as they are, once they decode cleanly; every
// other picture, and one that is too large, turned by its EXIF orientation or not in
// plain sRGB (an ICC profile of another colour space, CMYK), is decoded, converted to
// sRGB through its colour profile, turned upright, shrunk to fit the largest size,
// flattened onto the background colour where transparent, and stored as a new JPEG.
// Metafiles the image library cannot draw stay as they are, with a warning.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <span>
#include <string>
#include <vector>

#include "common/bitmap24.h"
#include "tools/scrtool/content_kind.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

struct TPictureOptions {
  int maxWidth = 3840;  // 0 and 0: keep every size
  int maxHeight = 2160;
  int quality = 90;             // JPEG quality of converted pictures, 1..100
  bool keepOriginals = false;   // package the files untouched (runtime formats only)
  TRgb background;              // what transparent parts are flattened onto
};

struct TPackedPicture {
  std::string pictureClass;    // TJPEGImage, TBitmap, TIcon or TMetafile
  std::vector<uint8_t> bytes;  // that class's file
  bool converted = false;      // false: the given file's bytes, unchanged
  std::vector<std::string> warnings;  // what a person should know (a metafile kept large)
};

// A picture that is damaged or cannot be read at all: --skip-bad leaves it out.
class EBadPicture : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Packs one picture. `name` is used in messages only. Raises EBadPicture naming the
// file when it cannot be read or is damaged, std::runtime_error when --keep-originals
// meets a format the runtime does not read.
TPackedPicture PackPicture(std::vector<uint8_t> bytes, const TContentType& type, const std::string& name,
                           const TPictureOptions& options);

// Why a JPEG file is damaged (data the decoder has to guess at, such as a cut-off or
// corrupt scan), or nothing when it decodes cleanly.
std::optional<std::string> JpegDamage(std::span<const uint8_t> bytes);

// A picture of any format the maker accepts, packed with no size limit and decoded by
// the runtime's own decoders: what a saver would show. Errors name the file.
TBitmap24 DecodeAnyPicture(std::vector<uint8_t> bytes, const std::string& name);

}  // namespace scr::tool
