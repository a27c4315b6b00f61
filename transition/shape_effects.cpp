// Region shapes: rounded sweeps and irises, triangles, hinged triangles, the fan and the
// grid of small triangles (styles 58, 59, 69, 70, 80..85, 110..117).

#include "common/muldiv.h"
#include "transition/effect_regions.h"

namespace scr {

void TStyleRegionBuilder::BuildShape(int style, const TFrameParams& f, TRegion& out) {
  const int W = f.W, H = f.H, X = f.X, Y = f.Y;
  const int hw = W / 2, hh = H / 2;
  const TRect clip{0, 0, W, H};
  rects_.clear();
  auto roundRect = [&](int x1, int y1, int x2, int y2, int ew, int eh) {
    AppendRoundRect(x1, y1, x2, y2, ew, eh, clip, rects_);
  };
  auto triangle = [&](TPoint a, TPoint b, TPoint c) {
    const TPoint pts[3] = {a, b, c};
    AppendPolygon(pts, clip, rects_);
  };
  switch (style) {
    case 58: roundRect(-2 * W, -5, 2 * X, H + 5, 2 * W, 2 * W); break;
    case 59: roundRect(W - 2 * X, -5, 3 * W, H + 5, 2 * W, 2 * W); break;
    case 69: roundRect(-5, -2 * H, W + 5, 2 * Y, 2 * H, 2 * H); break;
    case 70: roundRect(-5, H - 2 * Y, W + 5, 3 * H, 2 * H, 2 * H); break;
    case 80: roundRect(-2 * W, -2 * H, 2 * X, 2 * Y, 2 * W, 2 * H); break;
    case 81: roundRect(W - 2 * X, -2 * H, 3 * W, 2 * Y, 2 * W, 2 * H); break;
    case 82: roundRect(-2 * W, H - 2 * Y, 2 * X, 3 * H, 2 * W, 2 * H); break;
    // The bottom-right corner takes a 2H x 2H ellipse, unlike its three siblings.
    case 83: roundRect(W - 2 * X, H - 2 * Y, 3 * W, 3 * H, 2 * H, 2 * H); break;
    case 84: roundRect(hw - X, hh - Y, hw + X, hh + Y, 9 * X / 5, 9 * Y / 5); break;
    case 85: {
      // The new picture shows outside a rounded hole that shrinks to nothing.
      roundRect(X - hw, Y - hh, 3 * W / 2 - X, 3 * H / 2 - Y, 9 * (W - X) / 5, 9 * (H - Y) / 5);
      UnionOfRects(f, first_);
      second_.SetRect(clip);
      TRegion::Combine(second_, first_, TRegionOp::Xor, out);
      return;
    }
    case 110: triangle({0, 0}, {2 * X, 0}, {0, 2 * Y}); break;
    case 111: triangle({W, 0}, {W - 2 * X, 0}, {W, 2 * Y}); break;
    case 112: triangle({0, H}, {2 * X, H}, {0, H - 2 * Y}); break;
    case 113: triangle({W, H}, {W - 2 * X, H}, {W, H - 2 * Y}); break;
    case 114:
      triangle({0, H}, {0, 0}, {X, H});
      triangle({W, H}, {W, 0}, {W - X, 0});
      break;
    case 115:
      triangle({W, 0}, {0, 0}, {W, Y});
      triangle({W, H}, {0, H}, {0, H - Y});
      break;
    case 116:
      triangle({hw, hh}, {0, H}, {0, H - Y});
      triangle({0, 0}, {X, 0}, {hw, hh});
      triangle({W - X, H}, {hw, hh}, {W, H});
      triangle({hw, hh}, {W, 0}, {W, Y});
      break;
    case 117: {
      // A 10 x 10 grid of small triangles; the legs follow the picture's aspect and are
      // computed from X even for portrait pictures.
      const int a = X / 5;
      const int b = MulDiv(a, H, W);
      for (int r = 0; r < 10; ++r) {
        for (int k = 0; k < 10; ++k) {
          const int x0 = W * k / 10, y0 = H * r / 10;
          triangle({x0, y0}, {x0 + a, y0}, {x0, y0 + b});
        }
      }
      break;
    }
    default: break;
  }
  UnionOfRects(f, out);
}

}  // namespace scr
