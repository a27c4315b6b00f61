// Strip and scatter regions: interlaced combs, ragged bands, dripping bands and random
// blocks (styles 60..68, 71..79, 86..109, 123..127).

#include <algorithm>

#include "common/random.h"
#include "transition/effect_regions.h"

namespace scr {

namespace {

void AddRect(std::vector<TRect>& out, int x1, int y1, int x2, int y2) {
  out.push_back(TRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
}

// Rectangles are built in a frame whose first axis runs along the strips (x for rows,
// y for columns); for columns Add swaps the axes back.
struct TAxis {
  bool columns;
  void Add(std::vector<TRect>& out, int a1, int b1, int a2, int b2) const {
    if (columns) AddRect(out, b1, a1, b2, a2);
    else AddRect(out, a1, b1, a2, b2);
  }
};

// One comb: strips along the first axis of length `side`, stacked across `across`.
void Comb(const TAxis& ax, int side, int across, int e, int kind, int guard, std::vector<TRect>& out) {
  if (kind == 0) return;
  if (e > side) {
    // Second phase: the even strips are full and the odd ones grow by the excess.
    for (int i = 5; i < across + 5; i += 10) {
      ax.Add(out, 0, i - 5, side, i);
      if (kind == 1 || kind == 4) ax.Add(out, 2 * side - e, i, side, i + 5);
      else if (kind == 2 || kind == 5) ax.Add(out, 0, i, e - side, i + 5);
    }
    return;
  }
  // First phase; the strips snap to full length when the next step would overshoot.
  if (e + guard > side) e = side;
  for (int i = 0; i < across + 5; i += 10) {
    switch (kind) {
      case 1:
      case 5: ax.Add(out, side - e, i, side, i + 5); break;
      case 2:
      case 4: ax.Add(out, 0, i, e, i + 5); break;
      case 3:
        ax.Add(out, side - e, i, side, i + 5);
        ax.Add(out, 0, i + 5, e, i + 10);
        break;
      default: break;
    }
  }
}

void Ragged(const TAxis& ax, int side, int across, int e, int kind, std::vector<TRect>& out) {
  if (kind == 0) return;
  for (int start = 0; start < across; start += 5) {
    // The randomness vanishes once the extent reaches the side; the draws still happen.
    const int a = e < side ? side / 7 : 0;
    const int end = start + across % 5 + 5;
    const int r1 = Random(a);
    const int r2 = Random(a);
    switch (kind) {
      case 1: ax.Add(out, side - e + r1 - r2, start, side, end); break;
      case 2: ax.Add(out, 0, start, e + r1 - r2, end); break;
      case 3: {
        const int r3 = Random(a);
        const int r4 = Random(a);
        ax.Add(out, (side - e + r1 - r2) / 2, start, side / 2, end);
        ax.Add(out, side / 2, start, (side + e + r3 - r4) / 2, end);
        break;
      }
      case 4: {
        const int r3 = Random(a);
        const int r4 = Random(a);
        ax.Add(out, side - (e + r1 - r2) / 2, start, side, end);
        ax.Add(out, 0, start, (e + r3 - r4) / 2, end);
        break;
      }
      default: break;
    }
  }
}

void Drip(const TAxis& ax, int side, int across, int e0, int kind, std::vector<TRect>& out) {
  if (kind == 0) return;
  const int e = e0 < side ? side / 10 : 0;  // depth of the drip zone
  const int f = std::max(2, e / 20);        // cell size
  const int n = e / f;                      // cells per strip
  const int q = (3 * e / f) / 4;            // cells up to q are near the edge
  for (int start = 0; start < across; start += f / 2) {
    if (kind == 1) ax.Add(out, side - e0, start, side, start + f);
    else if (kind == 2) ax.Add(out, 0, start, e0, start + f);
    for (int i = n; i >= 1; --i) {
      const int near = i <= q ? 1 : 0;
      const int r = Random(i);
      if (near < r) continue;
      if (kind == 1) ax.Add(out, side - e0 - f * i, start, side - e0 - f * i + f, start + f);
      else if (kind == 2) ax.Add(out, e0 + f * i - f, start, e0 + f * i, start + f);
    }
  }
}

}  // namespace

void AppendStripRegion(int W, int H, int xe, int ye, int rowKind, int columnKind, int guard,
                       std::vector<TRect>& out) {
  Comb(TAxis{false}, W, H, xe, rowKind, guard, out);
  Comb(TAxis{true}, H, W, ye, columnKind, guard, out);
}

void AppendRaggedStripRegion(int W, int H, int xe, int ye, int rowKind, int columnKind, std::vector<TRect>& out) {
  Ragged(TAxis{false}, W, H, xe, rowKind, out);
  Ragged(TAxis{true}, H, W, ye, columnKind, out);
}

void AppendDripRegion(int W, int H, int xe, int ye, int rowKind, int columnKind, std::vector<TRect>& out) {
  Drip(TAxis{false}, W, H, xe, rowKind, out);
  Drip(TAxis{true}, H, W, ye, columnKind, out);
}

void AppendRandomBlockRegion(int W, int H, int P, std::vector<TRect>& out) {
  const int d = std::max(1, std::min(W, H) / 50 + P / 10);
  for (int x = 0; x < W; x += d)
    for (int y = 0; y < H; y += d)
      if (Random(100) < P) out.push_back(TRect{x - d, y - d, x + d, y + d});
}

void TStyleRegionBuilder::BuildStrip(int style, const TFrameParams& f, TRegion& out) {
  const int W = f.W, H = f.H, X = f.X, Y = f.Y, G = f.G;
  rects_.clear();
  // xm, ym: the extents X and Y enter plain (1), doubled (2) or not at all (0).
  auto comb = [&](int xm, int ym, int rk, int ck, bool guarded) {
    AppendStripRegion(W, H, xm * X, ym * Y, rk, ck, guarded ? G : 0, rects_);
  };
  auto ragged = [&](int xm, int ym, int rk, int ck) { AppendRaggedStripRegion(W, H, xm * X, ym * Y, rk, ck, rects_); };
  switch (style) {
    case 60: comb(2, 0, 1, 0, true); break;
    case 61: comb(2, 0, 2, 0, true); break;
    case 62: comb(2, 0, 4, 0, true); break;
    case 63: comb(2, 0, 5, 0, true); break;
    case 64: comb(1, 0, 3, 0, false); break;
    case 65: ragged(1, 0, 1, 0); break;
    case 66: ragged(1, 0, 2, 0); break;
    case 67: ragged(1, 0, 3, 0); break;
    case 68: ragged(1, 0, 4, 0); break;
    case 71: comb(0, 2, 0, 1, true); break;
    case 72: comb(0, 2, 0, 2, true); break;
    case 73: comb(0, 2, 0, 4, true); break;
    case 74: comb(0, 2, 0, 5, true); break;
    case 75: comb(0, 1, 0, 3, false); break;
    case 76: ragged(0, 1, 0, 1); break;
    case 77: ragged(0, 1, 0, 2); break;
    case 78: ragged(0, 1, 0, 3); break;
    case 79: ragged(0, 1, 0, 4); break;
    case 86: comb(2, 2, 1, 1, true); break;
    case 87: comb(2, 2, 1, 2, true); break;
    case 88: comb(2, 2, 2, 1, true); break;
    case 89: comb(2, 2, 2, 2, true); break;
    case 90: comb(2, 2, 4, 4, true); break;
    case 91: comb(2, 2, 4, 5, true); break;
    case 92: comb(2, 2, 5, 4, true); break;
    case 93: comb(2, 2, 5, 5, true); break;
    case 94: comb(1, 1, 1, 3, true); break;
    case 95: comb(1, 1, 2, 3, true); break;
    case 96: comb(1, 1, 3, 1, true); break;
    case 97: comb(1, 1, 3, 2, true); break;
    case 98: comb(1, 1, 3, 3, false); break;
    case 99: {
      // Lattice: the intersection of two combs, built in this order.
      comb(2, 2, 1, 1, true);
      UnionOfRects(f, first_);
      rects_.clear();
      comb(2, 2, 2, 2, true);
      UnionOfRects(f, second_);
      TRegion::Combine(first_, second_, TRegionOp::Intersect, out);
      return;
    }
    case 100: ragged(1, 1, 1, 1); break;
    case 101: ragged(1, 1, 1, 2); break;
    case 102: ragged(1, 1, 2, 1); break;
    case 103: ragged(1, 1, 2, 2); break;
    case 104: ragged(1, 1, 1, 3); break;
    case 105: ragged(1, 1, 2, 3); break;
    case 106: ragged(1, 1, 3, 1); break;
    case 107: ragged(1, 1, 3, 2); break;
    case 108: ragged(1, 1, 3, 3); break;
    case 109: ragged(1, 1, 4, 4); break;
    case 123: AppendDripRegion(W, H, X, Y, 1, 0, rects_); break;
    case 124: AppendDripRegion(W, H, X, Y, 2, 0, rects_); break;
    case 125: AppendDripRegion(W, H, X, Y, 0, 1, rects_); break;
    case 126: AppendDripRegion(W, H, X, Y, 0, 2, rects_); break;
    case 127: AppendRandomBlockRegion(W, H, f.P, rects_); break;
    default: break;
  }
  UnionOfRects(f, out);
}

void TStyleRegionBuilder::UnionOfRects(const TFrameParams& f, TRegion& out) {
  union_.Build(rects_, TRect{0, 0, f.W, f.H}, out);
}

}  // namespace scr
