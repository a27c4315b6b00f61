#include "transition/offscreen_host.h"

#include <algorithm>
#include <utility>

#include "transition/transition_view.h"

namespace scr {

TOffscreenHost::TOffscreenHost(int clientWidth, int clientHeight) {
  canvas_.SetSize(clientWidth, clientHeight);
  canvas_.Fill(ColorToRGB(parentColor_, *this));
}

// Controls wait for their own workers; what is left has ended or is ending.
TOffscreenHost::~TOffscreenHost() { workers_.WaitAll(); }

void TOffscreenHost::ProcessMessages() {
  if (OnMessages) OnMessages();
  workers_.Serve();
  workers_.Advance(1);
}

bool TOffscreenHost::PumpUntil(const std::function<bool()>& done, int limit) {
  for (int i = 0; i < limit; ++i) {
    if (done()) return true;
    ProcessMessages();
  }
  return done();
}

// ---- Painting ----

void TOffscreenHost::InvalidateRect(const TRect& r) {
  if (logInvalidations) invalidations.push_back(r);
  const TRect clipped = Intersect(r, canvas_.Bounds());
  if (clipped.IsEmpty()) return;
  if (invalid_.IsEmpty()) {
    invalid_ = clipped;
  } else {
    invalid_ = TRect{std::min(invalid_.left, clipped.left), std::min(invalid_.top, clipped.top),
                     std::max(invalid_.right, clipped.right), std::max(invalid_.bottom, clipped.bottom)};
  }
}

void TOffscreenHost::UpdateNow() {
  if (invalid_.IsEmpty()) return;
  const TRect area = invalid_;
  invalid_ = TRect{};
  PaintControls(canvas_, area, ColorToRGB(parentColor_, *this), controls_);
  ++updateCount;
}

void TOffscreenHost::AttachControl(TCustomTransitionView& control) { controls_.push_back(&control); }

void TOffscreenHost::DetachControl(TCustomTransitionView& control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

void TOffscreenHost::SetClientSize(int width, int height) {
  canvas_.SetSize(width, height);
  canvas_.Fill(ColorToRGB(parentColor_, *this));
  invalid_ = TRect{};
  for (TCustomTransitionView* c : controls_) c->ParentResized();
  InvalidateRect(canvas_.Bounds());
}

// ---- Workers ----

std::shared_ptr<IWorkerThread> TOffscreenHost::StartThread(std::function<void()> body, TThreadPriority) {
  return workers_.Start(std::move(body));
}

void TOffscreenHost::Synchronize(const std::function<void()>& fn) { workers_.Synchronize(fn); }

}  // namespace scr
