#include "transition/rect_styles.h"

namespace scr {

int FoldBand(int extent, int side) {
  if (extent < side / 5) return extent / 2;
  if (side - extent < side / 5) return (side - extent) / 2;
  return side / 10;
}

namespace {

// Adds further copies to a plan in the order they are made.
struct TPlanWriter {
  TRectStylePlan& plan;
  void Copy(const TRect& dst, const TRect& src) { plan.further[plan.furtherCount++] = TFurtherCopy{dst, src}; }
  void Same(const TRect& r) { Copy(r, r); }
  void Mirrored(const TRect& dst, const TRect& src, bool leftRight) {
    plan.further[plan.furtherCount++] = TFurtherCopy{dst, src, leftRight, !leftRight};
  }
};

}  // namespace

TRectStylePlan PlanRectangleStyle(int style, const TFrameParams& f) {
  const int W = f.W, H = f.H, X = f.X, Y = f.Y;
  const int hx = X / 2, hy = Y / 2, hw = W / 2, hh = H / 2;
  const int cx1 = (W - X) / 2, cx2 = (W + X) / 2;
  const int cy1 = (H - Y) / 2, cy2 = (H + Y) / 2;

  TRectStylePlan plan;
  plan.D = plan.S = TRect{0, 0, W, H};
  TRect& D = plan.D;
  TRect& S = plan.S;
  TPlanWriter add{plan};

  switch (style) {
    // Horizontal: squeezes, slides, wipes, magnifications.
    case 1: D.left = W - X; break;
    case 2: D.right = X; break;
    case 3: D.left = W - X; D.right = 2 * W - X; break;
    case 4: D.left = X - W; D.right = X; break;
    case 5: D.right = X; S.right = X; break;
    case 6: D.left = W - X; S.left = W - X; break;
    case 7: D.right = 2 * W - X; S.right = X; break;
    case 8: D.left = X - W; S.left = W - X; break;
    case 9: D.left = X - W; D.right = 2 * W - X; S.left = cx1; S.right = cx2; break;
    case 10: D.left = cx1; D.right = cx2; break;
    case 11: D.left = S.left = cx1; D.right = S.right = cx2; break;
    case 12:
      add.Same(TRect{0, 0, hx + 1, H});
      D.left = S.left = W - hx - 1;
      break;
    case 13:
      add.Copy(TRect{0, 0, hx + 1, H}, TRect{0, 0, hw + 1, H});
      D.left = W - hx - 1;
      S.left = hw;
      break;
    case 14: {
      const int b = FoldBand(X, W);
      add.Mirrored(TRect{X, 0, X + b, H}, TRect{X + b, 0, X + 2 * b, H}, true);
      D.right = S.right = X;
      break;
    }
    case 15: {
      const int b = FoldBand(X, W);
      add.Mirrored(TRect{W - X - b, 0, W - X, H}, TRect{W - X - 2 * b, 0, W - X - b, H}, true);
      D.left = S.left = W - X;
      break;
    }
    case 16:
      add.Same(TRect{0, 0, X, H});
      D.left = X;
      S.left = X;
      S.right = X + W / 20;
      break;
    case 17:
      add.Same(TRect{W - X, 0, W, H});
      D.right = W - X;
      S.left = W - X - W / 20;
      S.right = W - X;
      break;

    // Vertical counterparts.
    case 18: D.top = H - Y; break;
    case 19: D.bottom = Y; break;
    case 20: D.top = H - Y; D.bottom = 2 * H - Y; break;
    case 21: D.top = Y - H; D.bottom = Y; break;
    case 22: D.bottom = S.bottom = Y; break;
    case 23: D.top = S.top = H - Y; break;
    case 24: D.bottom = 2 * H - Y; S.bottom = Y; break;
    case 25: D.top = Y - H; S.top = H - Y; break;
    case 26: D.top = Y - H; D.bottom = 2 * H - Y; S.top = cy1; S.bottom = cy2; break;
    case 27: D.top = cy1; D.bottom = cy2; break;
    case 28: D.top = S.top = cy1; D.bottom = S.bottom = cy2; break;
    case 29:
      add.Same(TRect{0, 0, W, hy + 1});
      D.top = S.top = H - hy - 1;
      break;
    case 30:
      add.Copy(TRect{0, 0, W, hy + 1}, TRect{0, 0, W, hh + 1});
      D.top = H - hy - 1;
      S.top = hh;
      break;
    case 31: {
      const int b = FoldBand(Y, H);
      add.Mirrored(TRect{0, Y, W, Y + b}, TRect{0, Y + b, W, Y + 2 * b}, false);
      D.bottom = S.bottom = Y;
      break;
    }
    case 32: {
      const int b = FoldBand(Y, H);
      add.Mirrored(TRect{0, H - Y - b, W, H - Y}, TRect{0, H - Y - 2 * b, W, H - Y - b}, false);
      D.top = S.top = H - Y;
      break;
    }
    case 33:
      add.Same(TRect{0, 0, W, Y});
      D.top = Y;
      S.top = Y;
      S.bottom = Y + H / 20;
      break;
    case 34:
      add.Same(TRect{0, H - Y, W, H});
      D.bottom = H - Y;
      S.top = H - Y - H / 20;
      S.bottom = H - Y;
      break;

    // Corners.
    case 35: D.left = W - X; D.top = H - Y; break;
    case 36: D.left = W - X; D.bottom = Y; break;
    case 37: D.right = X; D.bottom = Y; break;
    case 38: D.right = X; D.top = H - Y; break;
    case 39: D = TRect{W - X, H - Y, 2 * W - X, 2 * H - Y}; break;
    case 40: D = TRect{W - X, Y - H, 2 * W - X, Y}; break;
    case 41: D = TRect{X - W, Y - H, X, Y}; break;
    case 42: D = TRect{X - W, H - Y, X, 2 * H - Y}; break;
    case 43: D.right = S.right = X; D.bottom = S.bottom = Y; break;
    case 44: D.right = S.right = X; D.top = S.top = H - Y; break;
    case 45: D.left = S.left = W - X; D.top = S.top = H - Y; break;
    case 46: D.left = S.left = W - X; D.bottom = S.bottom = Y; break;
    case 47: D.right = 2 * W - X; D.bottom = 2 * H - Y; S.right = X; S.bottom = Y; break;
    case 48: D.top = Y - H; D.right = 2 * W - X; S.top = H - Y; S.right = X; break;
    case 49: D.left = X - W; D.top = Y - H; S.left = W - X; S.top = H - Y; break;
    case 50: D.left = X - W; D.bottom = 2 * H - Y; S.left = W - X; S.bottom = Y; break;

    // Centre and quarters.
    case 51: D = TRect{X - W, Y - H, 2 * W - X, 2 * H - Y}; S = TRect{cx1, cy1, cx2, cy2}; break;
    case 52: D = TRect{cx1, cy1, cx2, cy2}; break;
    case 53: D = S = TRect{cx1, cy1, cx2, cy2}; break;
    case 54:
      add.Same(TRect{0, 0, W, hy});
      add.Same(TRect{0, H - hy, W, H});
      add.Same(TRect{0, 0, hx, H});
      D = S = TRect{W - hx, 0, W, H};
      break;
    case 55:
      add.Same(TRect{0, 0, hx + 1, hy + 1});
      add.Same(TRect{0, H - hy - 1, hx + 1, H});
      add.Same(TRect{W - hx - 1, H - hy - 1, W, H});
      D = S = TRect{W - hx - 1, 0, W, hy + 1};
      break;
    case 56:
      add.Copy(TRect{0, 0, hx + 1, hy + 1}, TRect{0, 0, hw + 1, hh + 1});
      add.Copy(TRect{0, H - hy, hx + 1, H}, TRect{0, hh + 1, hw + 1, H});
      add.Copy(TRect{W - hx, H - hy, W, H}, TRect{hw + 1, hh + 1, W, H});
      D = TRect{W - hx, 0, W, hy + 1};
      S = TRect{hw + 1, 0, W, hh + 1};
      break;
    case 57:
      // Top-left from the left, top-right from the top, bottom-right from the right;
      // the final copy brings the bottom-left quarter up from the bottom.
      add.Copy(TRect{(X - W) / 2, 0, hx + 1, hh + 1}, TRect{0, 0, hw + 1, hh + 1});
      add.Copy(TRect{hw - 1, (Y - H) / 2, W, hy + 1}, TRect{hw - 1, 0, W, hh + 1});
      add.Copy(TRect{W - hx, hh - 1, W + (W - X) / 2, H}, TRect{hw + 1, hh - 1, W, H});
      D = TRect{0, H - hy, hw + 1, H + (H - Y) / 2};
      S = TRect{0, hh + 1, hw + 1, H};
      break;
    default: break;
  }
  return plan;
}

}  // namespace scr
