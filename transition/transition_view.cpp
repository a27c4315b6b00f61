// The picture show control: properties, layout, invalidation and painting. The
// running of transitions is in transition_run.cpp.
#include <algorithm>
#include <cstring>

#include "common/muldiv.h"
#include "common/stretch.h"
#include "transition/animate_thread.h"
#include "transition/canvas_ops.h"
#include "transition/transition_view.h"

namespace scr {

// ---- Property setters with side effects ----

void TCustomTransitionView::SetAlign(TAlign v) {
  if (v == align_) return;
  align_ = v;
  Realign();
}

void TCustomTransitionView::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  if (v) AdjustSize();
}

void TCustomTransitionView::SetBgMode(TBackgroundMode v) {
  if (v == bgMode_) return;
  bgMode_ = v;
  if (bgPicture_.HasGraphic() && !painting_) Invalidate();
}

void TCustomTransitionView::SetCenter(bool v) {
  if (v == center_) return;
  center_ = v;
  if (picture_.HasGraphic()) CalculatePicRect();
  RequestRepaint();
}

TColor TCustomTransitionView::Color() const { return parentColor_ ? host_.ParentColor() : color_; }

void TCustomTransitionView::SetColor(TColor v) {
  if (v == color_ && !parentColor_) return;
  color_ = v;
  parentColor_ = false;
  if (!painting_) Invalidate();
}

void TCustomTransitionView::SetParentColor(bool v) {
  if (v == parentColor_) return;
  if (!v) color_ = host_.ParentColor();  // keeps the colour it showed
  parentColor_ = v;
  if (!painting_) Invalidate();
}

void TCustomTransitionView::SetStretch(bool v) {
  if (v == stretch_) return;
  stretch_ = v;
  RequestRepaint();
}

void TCustomTransitionView::SetStretchFine(bool v) {
  if (v == stretchFine_) return;
  stretchFine_ = v;
  RequestRepaint();
}

void TCustomTransitionView::SetStep(int v) { step_.store(static_cast<uint16_t>(std::clamp(v, 1, 100))); }

void TCustomTransitionView::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  host_.InvalidateRect(BoundsRect());
}

void TCustomTransitionView::PictureChanged() {
  if (shared_->Destroyed()) return;
  if (autoSize_ && align_ == alNone) AdjustSize();
  if (OnChange) OnChange(*this);
}

void TCustomTransitionView::BgPictureChanged() {
  if (shared_->Destroyed()) return;
  if (bgMode_ != bmNone && !painting_) Invalidate();
}

// ---- Layout ----

void TCustomTransitionView::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  if (visible_ && !shared_->Destroyed()) host_.InvalidateRect(BoundsRect());
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (visible_ && !shared_->Destroyed()) host_.InvalidateRect(BoundsRect());
  if (resized) Resized();
}

void TCustomTransitionView::Resized() {
  if (picture_.HasGraphic()) CalculatePicRect();
  RequestRepaint();
}

void TCustomTransitionView::AdjustSize() {
  if (align_ != alNone) return;
  const int w = picture_.Width(), h = picture_.Height();
  if (w > 0 && h > 0) SetBounds(left_, top_, w, h);
}

void TCustomTransitionView::ParentResized() { Realign(); }

void TCustomTransitionView::Realign() {
  const TRect p = host_.ParentClientRect();
  switch (align_) {
    case alNone: break;
    case alTop: SetBounds(p.left, p.top, p.Width(), height_); break;
    case alBottom: SetBounds(p.left, p.bottom - height_, p.Width(), height_); break;
    case alLeft: SetBounds(p.left, p.top, width_, p.Height()); break;
    case alRight: SetBounds(p.right - width_, p.top, width_, p.Height()); break;
    case alClient: SetBounds(p.left, p.top, p.Width(), p.Height()); break;
  }
}

void TCustomTransitionView::CalculatePicRect() {
  const int w = picture_.Width(), h = picture_.Height();
  picRect_ = TRect{0, 0, w, h};
  if (center_) picRect_ = Offset(picRect_, (width_ - w) / 2, (height_ - h) / 2);
}

TRect TCustomTransitionView::SnapshotArea() const {
  if (!stretch_) return picRect_;
  return stretchFine_ ? FitRect(picRect_, ClientRect()) : ClientRect();
}

// ---- Invalidation ----

void TCustomTransitionView::Invalidate() {
  if (!shared_->Destroyed() && visible_) host_.InvalidateRect(BoundsRect());
}

void TCustomTransitionView::Update() { host_.UpdateNow(); }

bool TCustomTransitionView::ReplaceFrame(TBitmap24& frame) {
  if (Busy() || painting_ || frame_.Empty() || frame.Width() != frame_.Width() || frame.Height() != frame_.Height())
    return false;
  if (!shared_->frameLock.TryLock()) return false;
  std::swap(frame_, frame);
  shared_->frameLock.Unlock();
  InvalidateArea(TRect{0, 0, frame_.Width(), frame_.Height()});
  host_.UpdateNow();
  return true;
}

void TCustomTransitionView::RequestRepaint() {
  if (!frame_.Empty() && !painting_) Invalidate();
}

void TCustomTransitionView::InvalidateArea(TRect r) {
  if (stretch_) {
    const TRect t = stretchFine_ ? FitRect(picRect_, ClientRect()) : ClientRect();
    const int pw = picRect_.Width(), ph = picRect_.Height();
    if (pw > 0 && ph > 0) {
      r = TRect{t.left + MulDiv(r.left, t.Width(), pw), t.top + MulDiv(r.top, t.Height(), ph),
                t.left + MulDiv(r.right, t.Width(), pw), t.top + MulDiv(r.bottom, t.Height(), ph)};
    } else {
      r = t;  // nothing to scale by: the whole target
    }
  } else {
    if (center_) r = Offset(r, picRect_.left, picRect_.top);
    r.left = std::max(r.left, picRect_.left);
    r.top = std::max(r.top, picRect_.top);
    r.right = std::min(r.right, picRect_.right);
    r.bottom = std::min(r.bottom, picRect_.bottom);
  }
  if (shared_->Destroyed() || r.IsEmpty() || !visible_) return;
  host_.InvalidateRect(Offset(r, left_, top_));
}

// ---- Painting ----

TRect TCustomTransitionView::FrameTarget(const TRect& client) const {
  return stretchFine_ ? FitRect(picRect_, client) : client;
}

TRect TCustomTransitionView::FrameArea(const TRect& client) const {
  if (frame_.Empty()) return TRect{};
  if (!stretch_)
    return Intersect(TRect{picRect_.left, picRect_.top, picRect_.left + frame_.Width(), picRect_.top + frame_.Height()},
                     client);
  // The stretched copy draws nothing for coordinates that far out.
  const TRect t = FrameTarget(client);
  constexpr int kFar = 1 << 30;
  for (int64_t v : {int64_t{t.left}, int64_t{t.top}, int64_t{t.right} - t.left, int64_t{t.bottom} - t.top})
    if (v > kFar || v < -kFar) return TRect{};
  return Intersect(t, client);
}

uint32_t TCustomTransitionView::ColorRGB() const { return ColorToRGB(Color(), host_); }

void TCustomTransitionView::Paint(TBitmap24& parentCanvas, const TRect& updateRect) {
  if (painting_ || !visible_) return;
  painting_ = true;
  struct TPaintingGuard {
    bool& flag;
    ~TPaintingGuard() { flag = false; }
  } guard{painting_};

  const TRect client = ClientRect();
  if (paintBuffer_.Width() != width_ || paintBuffer_.Height() != height_) paintBuffer_.SetSize(width_, height_);

  // The frame is opaque: the colour only needs to show around it.
  TRect frameArea;
  {
    std::lock_guard<TCanvasLock> lock(shared_->frameLock);
    frameArea = FrameArea(client);
  }
  FillAround(paintBuffer_, client, frameArea, ColorRGB());

  if (const TGraphic* bg = bgPicture_.Graphic()) {
    switch (bgMode_) {
      case bmNone: break;
      case bmTiled: TileDraw(paintBuffer_, client, *bg); break;
      case bmStretched: bg->StretchDraw(paintBuffer_, client); break;
      case bmCentered: bg->Draw(paintBuffer_, (width_ - bg->Width()) / 2, (height_ - bg->Height()) / 2); break;
    }
  }

  {
    std::lock_guard<TCanvasLock> lock(shared_->frameLock);
    if (!frame_.Empty()) {
      if (!stretch_)
        DrawBitmap(paintBuffer_, picRect_.left, picRect_.top, frame_);
      else
        StretchCopy(paintBuffer_, FrameTarget(client), frame_, frame_.Bounds());
    }
  }

  // One copy onto the parent's canvas, inside the part being repainted.
  const TRect target = Intersect(Intersect(BoundsRect(), updateRect), parentCanvas.Bounds());
  if (target.IsEmpty()) return;
  const size_t bytes = 3 * static_cast<size_t>(target.Width());
  for (int y = target.top; y < target.bottom; ++y)
    std::memcpy(parentCanvas.Row(y) + 3 * target.left, paintBuffer_.Row(y - top_) + 3 * (target.left - left_),
                bytes);
}

void PaintControls(TBitmap24& canvas, const TRect& area, uint32_t rgb,
                   std::span<TCustomTransitionView* const> controls) {
  TRect covered;
  int64_t coveredPixels = 0;
  for (const TCustomTransitionView* c : controls) {
    const TRect part = Intersect(c->OpaqueRect(), area);
    const int64_t pixels = int64_t{part.Width()} * part.Height();
    if (!part.IsEmpty() && pixels > coveredPixels) {
      covered = part;
      coveredPixels = pixels;
    }
  }
  FillAround(canvas, area, covered, rgb);
  // Painting runs no handlers, so the list cannot change meanwhile (and is not copied:
  // a frame's repaint never allocates).
  for (TCustomTransitionView* c : controls) c->Paint(canvas, area);
}

// ---- Input ----

void TCustomTransitionView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (enabled_ && OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TCustomTransitionView::MouseMove(TShiftState shift, int x, int y) {
  if (enabled_ && OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TCustomTransitionView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (enabled_ && OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TCustomTransitionView::Click() {
  if (enabled_ && OnClick) OnClick(*this);
}

void TCustomTransitionView::DblClick() {
  if (enabled_ && OnDblClick) OnDblClick(*this);
}

void TCustomTransitionView::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TCustomTransitionView::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}

}  // namespace scr
