#pragma once
// Drawing helpers the picture show control and its rectangle effects share.
#include "common/bitmap24.h"
#include "common/geometry.h"
#include "common/graphic.h"

namespace scr {

// The largest rectangle of the source's aspect ratio that fits the target, centred in
// it; it may be larger than the source. The aspect ratios are compared as floating-
// point quotients. An empty source gives an empty rectangle at the target's centre.
TRect FitRect(const TRect& source, const TRect& target);

// Copies rectangle s of src onto rectangle d of dst, stretched to d, mirrored
// left-right and/or top-bottom. s is first cut to src. A mirrored axis of d has its
// edges swapped and each moved one pixel outward (new left = old right + 1, new right =
// old left - 1), and the resulting negative extent makes the stretched copy mirrored.
void MirrorCopy(TBitmap24& dst, const TRect& d, const TBitmap24& src, const TRect& s, bool mirrorLeftRight,
                bool mirrorTopBottom);

// Covers r with copies of g at its own size, starting at r's top-left: rows
// r.Height() div g.Height() and columns r.Width() div g.Width() count from 0 up to and
// including those quotients, so the last row and column may reach past r (dst still
// cuts them). Nothing for an empty graphic.
void TileDraw(TBitmap24& dst, const TRect& r, const TGraphic& g);

// Fills the part of area outside hole with one colour (0x00BBGGRR): what is left to
// fill when something opaque is about to cover hole. At most four rectangles.
void FillAround(TBitmap24& dst, const TRect& area, const TRect& hole, uint32_t rgb);

// Resizes b to width x height keeping the pixels of the common top-left part; new
// pixels take the colour fill (0x00BBGGRR). Nothing happens when the size is unchanged.
void ResizeKeeping(TBitmap24& b, int width, int height, uint32_t fill);

}  // namespace scr
