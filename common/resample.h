#pragma once
// Smooth scaling of 24-bit bitmaps for the moving and filled pictures of the show:
// a fixed-point bilinear resample of any part of a source onto a rectangle of the
// destination, and an integer box reduction that keeps a large downscale from
// skipping pixels.
#include <cstdint>

#include "common/bitmap24.h"
#include "common/geometry.h"

namespace scr {

// A part of a source bitmap in 1/65536 pixel units (16.16 fixed point).
struct TFixedWindow {
  int64_t x = 0, y = 0, w = 0, h = 0;
};

inline constexpr int64_t kFixedOne = 65536;

// The whole of a w x h bitmap as a window.
inline TFixedWindow WholeWindow(int w, int h) { return {0, 0, int64_t{w} * kFixedOne, int64_t{h} * kFixedOne}; }

// Draws the window of src scaled onto dstRect of dst (clipped to dst), each destination
// pixel the bilinear mix of the four source pixels around its centre, with 8-bit
// weights; samples outside src repeat its edge. Nothing is drawn for an empty source,
// window or rectangle. dst and src are distinct bitmaps.
void BilinearScale(TBitmap24& dst, const TRect& dstRect, const TBitmap24& src, const TFixedWindow& window);

// src reduced by an integer factor (>= 1) in both directions, each pixel the average of
// a factor x factor block (the blocks at the right and bottom edges may be smaller).
TBitmap24 ReduceByBoxes(const TBitmap24& src, int factor);

// The window of src reduced onto a w x h bitmap, each pixel the mean of up to
// samples x samples source pixels spread evenly over its part of the window (all of
// them where the part is that small). A cheap average for copies that are blurred
// afterwards: its cost depends on w, h and samples, not on the size of src.
TBitmap24 AverageSampled(const TBitmap24& src, const TFixedWindow& window, int w, int h, int samples);

}  // namespace scr
