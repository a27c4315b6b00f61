#include "transition/region.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>

namespace scr {

namespace {

constexpr TRect kEverything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

bool InsideFor(TRegionOp op, bool a, bool b) {
  switch (op) {
    case TRegionOp::Union: return a || b;
    case TRegionOp::Intersect: return a && b;
    case TRegionOp::Xor: return a != b;
  }
  return false;
}

bool RectHolds(const TRect& outer, const TRect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const TRect& a, const TRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Merges one band's spans of a and of b by op, edge by edge. Each list is sorted and
// its spans neither overlap nor touch, so every edge position occurs once per list.
void MergeSpans(std::span<const TSpan> a, std::span<const TSpan> b, TRegionOp op, TRegionWriter& w) {
  const size_t na = a.size() * 2, nb = b.size() * 2;
  size_t i = 0, j = 0;
  bool inA = false, inB = false, inside = false;
  int start = 0;
  auto edge = [](std::span<const TSpan> s, size_t k) { return (k & 1) ? s[k >> 1].right : s[k >> 1].left; };
  while (i < na || j < nb) {
    const int ea = i < na ? edge(a, i) : INT_MAX;
    const int eb = j < nb ? edge(b, j) : INT_MAX;
    const int x = std::min(ea, eb);
    if (ea == x) { inA = !inA; ++i; }
    if (eb == x) { inB = !inB; ++j; }
    const bool now = InsideFor(op, inA, inB);
    if (now != inside) {
      if (now) start = x;
      else w.PushSpan(start, x);
      inside = now;
    }
    if (op == TRegionOp::Intersect && (i >= na || j >= nb)) break;
  }
}

}  // namespace

// ---- TRegionWriter ----

TRegionWriter::TRegionWriter(TRegion& out) : out_(&out) { out.Clear(); }

void TRegionWriter::PushSpan(int left, int right) {
  if (right <= left) return;
  auto& spans = out_->spans_;
  if (spans.size() > pending_ && left <= spans.back().right) {
    spans.back().right = std::max(spans.back().right, right);
    return;
  }
  spans.push_back(TSpan{left, right});
}

void TRegionWriter::EndBand(int top, int bottom) {
  auto& spans = out_->spans_;
  auto& bands = out_->bands_;
  const uint32_t count = static_cast<uint32_t>(spans.size()) - pending_;
  if (count == 0 || bottom <= top) {
    spans.resize(pending_);
    return;
  }
  if (!bands.empty()) {
    TBand& last = bands.back();
    if (last.bottom == top && last.count == count &&
        std::equal(spans.begin() + last.first, spans.begin() + last.first + count, spans.begin() + pending_)) {
      last.bottom = bottom;
      spans.resize(pending_);
      return;
    }
  }
  bands.push_back(TBand{top, bottom, pending_, count});
}

void TRegionWriter::AddBand(int top, int bottom, std::span<const TSpan> spans) {
  BeginBand();
  for (const TSpan& s : spans) PushSpan(s.left, s.right);
  EndBand(top, bottom);
}

void TRegionWriter::Finish() {
  if (finished_) return;
  finished_ = true;
  out_->ComputeExtents();
  assert(out_->Valid());
}

// ---- TRegion ----

TRegion TRegion::Rect(const TRect& r) {
  TRegion g;
  if (r.IsEmpty()) return g;
  g.spans_.push_back(TSpan{r.left, r.right});
  g.bands_.push_back(TBand{r.top, r.bottom, 0, 1});
  g.extents_ = r;
  return g;
}

TRegion TRegion::FromCorners(int x1, int y1, int x2, int y2) {
  return Rect(TRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
}

TRegion TRegion::FromRects(std::span<const TRect> rects, const TRect& clip) {
  TRegion g;
  TRectUnion().Build(rects, clip, g);
  return g;
}

void TRegion::SetRect(const TRect& r) {
  Clear();
  if (r.IsEmpty()) return;
  spans_.push_back(TSpan{r.left, r.right});
  bands_.push_back(TBand{r.top, r.bottom, 0, 1});
  extents_ = r;
}

void TRegion::Clear() {
  bands_.clear();
  spans_.clear();
  extents_ = TRect{};
}

void TRegion::ComputeExtents() {
  if (bands_.empty()) {
    extents_ = TRect{};
    return;
  }
  int left = INT_MAX, right = INT_MIN;
  for (const TBand& b : bands_) {
    left = std::min(left, spans_[b.first].left);
    right = std::max(right, spans_[b.first + b.count - 1].right);
  }
  extents_ = TRect{left, bands_.front().top, right, bands_.back().bottom};
}

bool TRegion::Contains(int x, int y) const {
  auto band = std::upper_bound(bands_.begin(), bands_.end(), y,
                               [](int yy, const TBand& b) { return yy < b.bottom; });
  if (band == bands_.end() || y < band->top) return false;
  auto spans = SpansOf(*band);
  auto span = std::upper_bound(spans.begin(), spans.end(), x,
                               [](int xx, const TSpan& s) { return xx < s.right; });
  return span != spans.end() && x >= span->left;
}

int64_t TRegion::Area() const {
  int64_t area = 0;
  for (const TBand& b : bands_) {
    int64_t width = 0;
    for (const TSpan& s : SpansOf(b)) width += static_cast<int64_t>(s.right) - s.left;
    area += width * (static_cast<int64_t>(b.bottom) - b.top);
  }
  return area;
}

bool TRegion::Valid() const {
  uint32_t next = 0;
  for (size_t k = 0; k < bands_.size(); ++k) {
    const TBand& b = bands_[k];
    if (b.top >= b.bottom || b.count == 0 || b.first != next) return false;
    if (static_cast<size_t>(b.first) + b.count > spans_.size()) return false;
    next = b.first + b.count;
    auto spans = SpansOf(b);
    for (size_t i = 0; i < spans.size(); ++i) {
      if (spans[i].left >= spans[i].right) return false;
      if (i > 0 && spans[i - 1].right >= spans[i].left) return false;
    }
    if (k > 0) {
      const TBand& p = bands_[k - 1];
      if (p.bottom > b.top) return false;
      if (p.bottom == b.top && p.count == b.count &&
          std::equal(spans.begin(), spans.end(), spans_.begin() + p.first))
        return false;
    }
  }
  if (next != spans_.size()) return false;
  TRegion copy;
  copy.bands_ = bands_;
  copy.spans_ = spans_;
  copy.ComputeExtents();
  return copy.extents_ == extents_;
}

bool operator==(const TRegion& a, const TRegion& b) {
  if (a.bands_.size() != b.bands_.size() || a.spans_ != b.spans_) return false;
  for (size_t k = 0; k < a.bands_.size(); ++k)
    if (a.bands_[k].top != b.bands_[k].top || a.bands_[k].bottom != b.bands_[k].bottom ||
        a.bands_[k].count != b.bands_[k].count)
      return false;
  return true;
}

void TRegion::Combine(const TRegion& a, const TRegion& b, TRegionOp op, TRegion& out) {
  if (&out == &a || &out == &b) {
    TRegion tmp;
    Combine(a, b, op, tmp);
    out = std::move(tmp);
    return;
  }
  // Cheap cases first.
  switch (op) {
    case TRegionOp::Intersect:
      if (a.Empty() || b.Empty() || !Overlap(a.extents_, b.extents_)) {
        out.Clear();
        return;
      }
      if (a.IsRect() && b.IsRect()) {
        out.SetRect(scr::Intersect(a.extents_, b.extents_));
        return;
      }
      if (a.IsRect() && RectHolds(a.extents_, b.extents_)) { out = b; return; }
      if (b.IsRect() && RectHolds(b.extents_, a.extents_)) { out = a; return; }
      break;
    case TRegionOp::Union:
      if (a.Empty()) { out = b; return; }
      if (b.Empty()) { out = a; return; }
      if (a.IsRect() && RectHolds(a.extents_, b.extents_)) { out = a; return; }
      if (b.IsRect() && RectHolds(b.extents_, a.extents_)) { out = b; return; }
      break;
    case TRegionOp::Xor:
      if (a.Empty()) { out = b; return; }
      if (b.Empty()) { out = a; return; }
      break;
  }

  TRegionWriter w(out);
  const auto& A = a.bands_;
  const auto& B = b.bands_;
  size_t ia = 0, ib = 0;
  int y = INT_MIN;
  for (;;) {
    while (ia < A.size() && A[ia].bottom <= y) ++ia;
    while (ib < B.size() && B[ib].bottom <= y) ++ib;
    const bool aLeft = ia < A.size(), bLeft = ib < B.size();
    if (!aLeft && !bLeft) break;
    if (op == TRegionOp::Intersect && (!aLeft || !bLeft)) break;
    const int ta = aLeft ? std::max(A[ia].top, y) : INT_MAX;
    const int tb = bLeft ? std::max(B[ib].top, y) : INT_MAX;
    const int top = std::min(ta, tb);
    const bool aOn = aLeft && A[ia].top <= top;
    const bool bOn = bLeft && B[ib].top <= top;
    int bottom = INT_MAX;
    if (aLeft) bottom = std::min(bottom, aOn ? A[ia].bottom : A[ia].top);
    if (bLeft) bottom = std::min(bottom, bOn ? B[ib].bottom : B[ib].top);
    if (aOn && bOn) {
      w.BeginBand();
      MergeSpans(a.SpansOf(A[ia]), b.SpansOf(B[ib]), op, w);
      w.EndBand(top, bottom);
    } else if (op != TRegionOp::Intersect) {
      // Only one operand has pixels here: union and xor both keep them as they are.
      w.AddBand(top, bottom, aOn ? a.SpansOf(A[ia]) : b.SpansOf(B[ib]));
    }
    y = bottom;
  }
  w.Finish();
}

TRegion TRegion::Union(const TRegion& other) const {
  TRegion r;
  Combine(*this, other, TRegionOp::Union, r);
  return r;
}

TRegion TRegion::Intersect(const TRegion& other) const {
  TRegion r;
  Combine(*this, other, TRegionOp::Intersect, r);
  return r;
}

TRegion TRegion::Xor(const TRegion& other) const {
  TRegion r;
  Combine(*this, other, TRegionOp::Xor, r);
  return r;
}

void TRegion::ClipTo(const TRect& r) {
  if (Empty() || RectHolds(r, extents_)) return;
  if (IsRect()) {
    SetRect(scr::Intersect(extents_, r));
    return;
  }
  Combine(*this, Rect(r), TRegionOp::Intersect, *this);
}

// ---- TRectUnion ----

void TRectUnion::Build(std::span<const TRect> rects, const TRect& clip, TRegion& out) {
  rects_.clear();
  for (const TRect& r : rects) {
    const TRect c = Intersect(r, clip);
    if (!c.IsEmpty()) rects_.push_back(c);
  }
  if (rects_.empty()) {
    out.Clear();
    return;
  }
  if (rects_.size() == 1) {
    out.SetRect(rects_[0]);
    return;
  }
  std::sort(rects_.begin(), rects_.end(), [](const TRect& a, const TRect& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  edges_.clear();
  for (const TRect& r : rects_) {
    edges_.push_back(r.top);
    edges_.push_back(r.bottom);
  }
  std::sort(edges_.begin(), edges_.end());
  edges_.erase(std::unique(edges_.begin(), edges_.end()), edges_.end());

  // The rectangles that cover the current band, sorted by left edge.
  active_.clear();
  size_t next = 0;
  TRegionWriter w(out);
  for (size_t k = 0; k + 1 < edges_.size(); ++k) {
    const int y0 = edges_[k], y1 = edges_[k + 1];
    active_.erase(std::remove_if(active_.begin(), active_.end(), [y0](const TRect& r) { return r.bottom <= y0; }),
                  active_.end());
    const size_t first = next;
    while (next < rects_.size() && rects_[next].top == y0) ++next;
    if (next > first) {
      // Newcomers are already sorted by left edge (the rectangles are sorted by top, left).
      merged_.clear();
      std::merge(active_.begin(), active_.end(), rects_.begin() + first, rects_.begin() + next,
                 std::back_inserter(merged_), [](const TRect& a, const TRect& b) { return a.left < b.left; });
      active_.swap(merged_);
    }
    w.BeginBand();
    for (const TRect& r : active_) w.PushSpan(r.left, r.right);
    w.EndBand(y0, y1);
  }
  w.Finish();
}

// ---- Drawing ----

namespace {

// Copies n bytes; short copies (the 5-pixel strips are 15 bytes) use fixed-size moves,
// overlapping inside the span, instead of a call.
inline void CopyBytes(uint8_t* d, const uint8_t* s, size_t n) {
  if (n >= 32) {
    std::memcpy(d, s, n);
  } else if (n >= 16) {
    uint8_t a[16], b[16];
    std::memcpy(a, s, 16);
    std::memcpy(b, s + n - 16, 16);
    std::memcpy(d, a, 16);
    std::memcpy(d + n - 16, b, 16);
  } else if (n >= 8) {
    uint64_t a, b;
    std::memcpy(&a, s, 8);
    std::memcpy(&b, s + n - 8, 8);
    std::memcpy(d, &a, 8);
    std::memcpy(d + n - 8, &b, 8);
  } else if (n >= 4) {
    uint32_t a, b;
    std::memcpy(&a, s, 4);
    std::memcpy(&b, s + n - 4, 4);
    std::memcpy(d, &a, 4);
    std::memcpy(d + n - 4, &b, 4);
  } else {
    // n is 3: one pixel.
    for (size_t k = 0; k < n; ++k) d[k] = s[k];
  }
}

}  // namespace

void DrawRegion(const TRegion& r, const TBitmap24& src, TBitmap24& dst) {
  const TRect lim = Intersect(src.Bounds(), dst.Bounds());
  if (lim.IsEmpty() || r.Empty()) return;
  for (const TBand& b : r.Bands()) {
    const int y0 = std::max(b.top, lim.top), y1 = std::min(b.bottom, lim.bottom);
    if (y0 >= y1) continue;
    const auto spans = r.SpansOf(b);
    for (int y = y0; y < y1; ++y) {
      const uint8_t* s = src.Row(y);
      uint8_t* d = dst.Row(y);
      for (const TSpan& sp : spans) {
        const int l = std::max(sp.left, lim.left), rr = std::min(sp.right, lim.right);
        if (l >= rr) continue;
        CopyBytes(d + 3 * static_cast<size_t>(l), s + 3 * static_cast<size_t>(l), 3 * static_cast<size_t>(rr - l));
      }
    }
  }
}

}  // namespace scr
