#pragma once
// A bitmap written as an 8-bit RGB PNG file.
#include <string>

#include "common/bitmap24.h"

namespace scr::media {

// compression 0 (fast, large) to 9 (slow, small).
void WritePng(const std::string& path, const TBitmap24& bitmap, int compression = 1);

}  // namespace scr::media
