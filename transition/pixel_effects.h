#pragma once
// Pixel effects: the cross-fade and the rotations about a corner (styles 118..122).
// Both write straight into the frame, which starts every frame as the old picture.

#include "common/bitmap24.h"

namespace scr {

// Every colour byte of the frame becomes frame * (100 - P) / 100 + new * P / 100, the two
// quotients truncated separately. Covers the pixels both bitmaps have.
void BlendBitmaps(TBitmap24& frame, const TBitmap24& newBitmap, int P);

// Each frame pixel (o, i) takes the new picture's pixel at its position turned by
// theta = (100 - P) * pi / 200 about (px, py), to the nearest pixel (halves to even);
// pixels whose sample falls outside the new picture keep the old picture.
void RotateBitmap(TBitmap24& frame, const TBitmap24& newBitmap, int px, int py, int P);

}  // namespace scr
