#pragma once
#include "common/bitmap24.h"
#include "common/geometry.h"

namespace scr {

// A rectangle given by its origin and a signed extent, as the system's stretching
// block copy takes it: a negative width or height mirrors the copy along that axis.
struct TExtentRect {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

// Nearest-pixel stretched copy of the source area onto the destination area, clipped
// to dst (source pixels outside src are not read). No smoothing. The one mapping rule
// used everywhere: destination pixel i of an extent of n pixels takes source pixel
// floor((2i + 1) * m / (2n)) of an extent of m pixels; when the signs of the two
// extents differ along an axis the copy is mirrored along it. dst and src are distinct
// bitmaps; coordinates or extents beyond +-2^30 draw nothing. Never allocates.
void StretchCopy(TBitmap24& dst, TExtentRect d, const TBitmap24& src, TExtentRect s);

// One pass over dst that leaves it as a copy of `under` (same size as dst) with the
// stretched copy on top: the same pixels as copying `under` whole and then calling
// StretchCopy, without writing the covered pixels twice. A differently sized `under`
// is drawn whole first.
void StretchCopyOver(TBitmap24& dst, const TBitmap24& under, TExtentRect d, const TBitmap24& src, TExtentRect s);

// The same for rectangles given by their edges (both extents positive unless the
// rectangles are inverted).
inline void StretchCopy(TBitmap24& dst, const TRect& d, const TBitmap24& src, const TRect& s) {
  StretchCopy(dst, TExtentRect{d.left, d.top, d.Width(), d.Height()}, src,
              TExtentRect{s.left, s.top, s.Width(), s.Height()});
}

inline void StretchCopyOver(TBitmap24& dst, const TBitmap24& under, const TRect& d, const TBitmap24& src,
                            const TRect& s) {
  StretchCopyOver(dst, under, TExtentRect{d.left, d.top, d.Width(), d.Height()}, src,
                  TExtentRect{s.left, s.top, s.Width(), s.Height()});
}

}  // namespace scr
