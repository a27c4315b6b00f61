#pragma once
// A picture scaled to cover a size and cropped about its centre to exactly that size.
#include "common/bitmap24.h"

namespace scr::media {

TBitmap24 PictureCovering(const TBitmap24& picture, int width, int height);

}  // namespace scr::media
