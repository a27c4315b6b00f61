#pragma once
// Pictures of any common format read through libvips, turned upright, shrunk or
// enlarged to cover a size and cropped about their centre to exactly that size.
#include <string>

#include "common/bitmap24.h"

namespace scr::media {

TBitmap24 LoadPictureCovering(const std::string& path, int width, int height);

}  // namespace scr::media
