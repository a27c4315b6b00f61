#include "platform/canvas_host.h"

#include <algorithm>

#include "transition/transition_view.h"

namespace scr::platform {

void TCanvasHost::InvalidateRect(const TRect& r) {
  const TRect clipped = Intersect(r, canvas_.Bounds());
  if (clipped.IsEmpty()) return;
  if (invalid_.IsEmpty()) {
    invalid_ = clipped;
    return;
  }
  invalid_ = TRect{std::min(invalid_.left, clipped.left), std::min(invalid_.top, clipped.top),
                   std::max(invalid_.right, clipped.right), std::max(invalid_.bottom, clipped.bottom)};
}

TRect TCanvasHost::TakeInvalidRect() {
  const TRect r = invalid_;
  invalid_ = TRect{};
  return r;
}

void TCanvasHost::AttachControl(TCustomTransitionView& control) { controls_.push_back(&control); }

void TCanvasHost::DetachControl(TCustomTransitionView& control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

std::shared_ptr<IWorkerThread> TCanvasHost::StartThread(std::function<void()> body, TThreadPriority) {
  return workers_.Start(std::move(body));
}

void TCanvasHost::SetClientSize(int width, int height) {
  if (width == canvas_.Width() && height == canvas_.Height()) return;
  canvas_.SetSize(width, height, color_);
  invalid_ = TRect{};
  for (TCustomTransitionView* c : std::vector<TCustomTransitionView*>(controls_)) c->ParentResized();
  InvalidateRect(canvas_.Bounds());
}

void TCanvasHost::SetCanvasColor(uint32_t rgb) {
  color_ = rgb & 0x00FFFFFFu;
  InvalidateRect(canvas_.Bounds());
}

TRect TCanvasHost::PaintArea(const TRect& area) {
  const TRect r = Intersect(area, canvas_.Bounds());
  if (r.IsEmpty()) return r;
  PaintControls(canvas_, r, color_, controls_);
  return r;
}

}  // namespace scr::platform
