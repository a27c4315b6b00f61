#include "transition/canvas_ops.h"

#include <cstdint>
#include <utility>

#include "common/muldiv.h"
#include "common/stretch.h"

namespace scr {

TRect FitRect(const TRect& source, const TRect& target) {
  const int sw = source.Width(), sh = source.Height();
  const int tw = target.Width(), th = target.Height();
  if (sw <= 0 || sh <= 0) {
    const int cx = target.left + tw / 2, cy = target.top + th / 2;
    return TRect{cx, cy, cx, cy};
  }
  int w, h;
  if (static_cast<double>(th) / sh > static_cast<double>(tw) / sw) {
    w = tw;
    h = MulDiv(sh, tw, sw);
  } else {
    w = MulDiv(sw, th, sh);
    h = th;
  }
  const int left = target.left + (tw - w) / 2, top = target.top + (th - h) / 2;
  return TRect{left, top, left + w, top + h};
}

void MirrorCopy(TBitmap24& dst, const TRect& d, const TBitmap24& src, const TRect& s, bool mirrorLeftRight,
                bool mirrorTopBottom) {
  const TRect from = Intersect(s, src.Bounds());
  TRect to = d;
  if (mirrorLeftRight) to = TRect{d.right + 1, to.top, d.left - 1, to.bottom};
  if (mirrorTopBottom) to = TRect{to.left, d.bottom + 1, to.right, d.top - 1};
  StretchCopy(dst, TExtentRect{to.left, to.top, to.right - to.left, to.bottom - to.top}, src,
              TExtentRect{from.left, from.top, from.Width(), from.Height()});
}

void TileDraw(TBitmap24& dst, const TRect& r, const TGraphic& g) {
  const int gw = g.Width(), gh = g.Height();
  if (g.Empty() || gw <= 0 || gh <= 0) return;
  const int rows = r.Height() / gh, columns = r.Width() / gw;
  // Tiles wholly outside dst would draw nothing; skipping them keeps a tiny graphic
  // over a large area from costing more than the pixels it covers.
  auto firstVisible = [](int64_t origin, int64_t size) -> int64_t {
    return origin + size > 0 ? 0 : (-origin - size) / size + 1;
  };
  for (int64_t i = firstVisible(r.top, gh); i <= rows; ++i) {
    const int64_t top = r.top + static_cast<int64_t>(gh) * i;
    if (top >= dst.Height()) break;
    for (int64_t j = firstVisible(r.left, gw); j <= columns; ++j) {
      const int64_t left = r.left + static_cast<int64_t>(gw) * j;
      if (left >= dst.Width()) break;
      g.Draw(dst, static_cast<int>(left), static_cast<int>(top));
    }
  }
}

void FillAround(TBitmap24& dst, const TRect& area, const TRect& hole, uint32_t rgb) {
  const TRect h = Intersect(area, hole);
  if (h.IsEmpty()) {
    dst.FillRect(area, rgb);
    return;
  }
  dst.FillRect(TRect{area.left, area.top, area.right, h.top}, rgb);
  dst.FillRect(TRect{area.left, h.bottom, area.right, area.bottom}, rgb);
  dst.FillRect(TRect{area.left, h.top, h.left, h.bottom}, rgb);
  dst.FillRect(TRect{h.right, h.top, area.right, h.bottom}, rgb);
}

void ResizeKeeping(TBitmap24& b, int width, int height, uint32_t fill) {
  // Sizes normalise the way every bitmap's do: a side of 0 or less empties both.
  if (width <= 0 || height <= 0) width = height = 0;
  if (width == b.Width() && height == b.Height()) return;
  TBitmap24 resized(width, height);
  resized.Fill(fill);
  DrawBitmap(resized, 0, 0, b);
  b = std::move(resized);
}

}  // namespace scr
