#pragma once
// The picture data of an image object: the picture class name, then that class's own
// data, as one byte block.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/graphic.h"

namespace scr {

// The longest picture class name a block may carry.
inline constexpr size_t kMaxPictureClassName = 63;

// Decodes a picture data block into its graphic:
//   "TBitmap"     4-byte length n, then n bytes of a bitmap file ("BM"); n = 0 is empty
//   "TJPEGImage"  4-byte length n, then n bytes of a JPEG file; n = 0 is empty
//   "TIcon"       the rest of the block is an icon file
//   "TMetafile"   4-byte length n counting itself, then n - 4 bytes of EMF or WMF;
//                 n <= 4 is empty
// Class names compare exactly. Any other name gives nullptr (no picture). A length
// beyond the block, a block that ends inside the name, or a name longer than 63 bytes
// throws EReadError("Stream read error"); undecodable picture data throws
// EInvalidGraphic (for bitmaps "Bitmap image is not valid").
std::unique_ptr<TGraphic> DecodePictureData(std::span<const uint8_t> block);

// A picture data block taken apart without decoding: the class name and the file's
// bytes (for a TMetafile without its length; for an unknown class the bytes after the
// name). Raises EReadError like DecodePictureData.
struct TPictureFile {
  std::string className;
  std::vector<uint8_t> bytes;
};
TPictureFile SplitPictureData(std::span<const uint8_t> block);

// The inverse: the block for a class and its file's bytes (for a TMetafile the
// metafile itself, without the length). Unknown class names get the bytes as they
// are after the name. Throws std::invalid_argument for a name over 63 bytes.
std::vector<uint8_t> EncodePictureData(std::string_view className, std::span<const uint8_t> fileBytes);

}  // namespace scr
