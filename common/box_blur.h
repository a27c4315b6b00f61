#pragma once
// A fast approximation of a Gaussian blur: repeated box blurs by running sums, each
// pass a constant amount of work per pixel whatever the radius.
#include "common/bitmap24.h"

namespace scr {

// Blurs bmp in place with `passes` box blurs of the given radius in each direction
// (edges repeat the border pixels). Radius 0 or no passes leave it unchanged.
void BoxBlur(TBitmap24& bmp, int radius, int passes);

// Multiplies every channel by numerator / 256 (numerator 0..256): a darker copy.
void Darken(TBitmap24& bmp, int numerator);

}  // namespace scr
