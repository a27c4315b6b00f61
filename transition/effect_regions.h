#pragma once
// Region builders of the shape and strip effect families.
//
// The strip builders append rectangles (left, top, right, bottom; a rectangle given with
// its corners in the wrong order is taken with them swapped, as the system's region
// constructor does) to a list that the caller unions in one sweep. The random builders
// draw from the program-wide generator in a fixed order, so a given picture size, style
// and step sequence give the same frames on every run.

#include <vector>

#include "common/geometry.h"
#include "transition/frame_params.h"
#include "transition/region.h"

namespace scr {

// Interlaced combs of 5-pixel strips with a 10-pixel period. Kinds: 1 both phases from
// the right (bottom), 2 both from the left (top), 3 alternate strips from opposite sides,
// 4 first phase from the left (top) then from the right (bottom), 5 the reverse; 0 none.
void AppendStripRegion(int W, int H, int xe, int ye, int rowKind, int columnKind, int guard,
                       std::vector<TRect>& out);
// Bands 5 pixels apart with randomly displaced ends. Kinds: 1 from the right (bottom),
// 2 from the left (top), 3 from the centre outwards, 4 from both sides inwards.
void AppendRaggedStripRegion(int W, int H, int xe, int ye, int rowKind, int columnKind, std::vector<TRect>& out);
// A band from one side with square cells dripping ahead of its edge. Kinds: 1 from the
// right (bottom), 2 from the left (top).
void AppendDripRegion(int W, int H, int xe, int ye, int rowKind, int columnKind, std::vector<TRect>& out);
// A random scatter of overlapping square blocks whose number and size grow with P.
void AppendRandomBlockRegion(int W, int H, int P, std::vector<TRect>& out);

// Builds the region of a shape or strip style (58..117, 123..127) for one frame, cut to
// (0, 0, W, H). Keeps its scratch storage, and out keeps its own, so building a region
// every frame allocates only while the regions still grow. Other styles give the empty
// region.
class TStyleRegionBuilder {
 public:
  void Build(int style, const TFrameParams& f, TRegion& out);

 private:
  void BuildShape(int style, const TFrameParams& f, TRegion& out);
  void BuildStrip(int style, const TFrameParams& f, TRegion& out);
  void UnionOfRects(const TFrameParams& f, TRegion& out);

  std::vector<TRect> rects_;
  TRectUnion union_;
  TRegion first_;
  TRegion second_;
};

}  // namespace scr
