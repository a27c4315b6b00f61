#pragma once
// The gallery's two built-in pictures: colourful, with lines, rings and a grid, so the
// geometry of each effect shows (which edge moves, what is stretched, what is cut).
#include "common/bitmap24.h"

namespace scr::tool {

TBitmap24 GalleryOldPicture(int width, int height);
TBitmap24 GalleryNewPicture(int width, int height);

}  // namespace scr::tool
