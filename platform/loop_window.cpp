#include "platform/loop_window.h"

#include "platform/loop_desktop.h"

namespace scr::platform {

void TLoopWindow::Opened(TWindowHandle handle) {
  handle_ = handle;
  exists_ = true;
  desktop_.Register(*this);
}

void TLoopWindow::Show() {
  if (!exists_ || visible_) return;
  visible_ = true;
  Showing();
  // Showing a window makes it the active one: the activation comes from the loop.
  const TWindowHandle h = handle_;
  TLoopDesktop* desktop = &desktop_;
  desktop_.Post([desktop, h] {
    if (TLoopWindow* w = desktop->Find(h)) w->Activate();
  });
}

void TLoopWindow::Hide() {
  if (!exists_ || !visible_) return;
  visible_ = false;
  Hiding();
}

void TLoopWindow::Close() {
  const TWindowHandle h = handle_;
  TLoopDesktop* desktop = &desktop_;
  desktop_.Post([desktop, h] {
    if (TLoopWindow* w = desktop->Find(h)) w->CloseNow();
  });
}

void TLoopWindow::CloseNow() {
  if (!exists_) return;
  if (events_ && !events_->CloseQuery()) return;
  Destroy();
}

void TLoopWindow::Destroy() {
  if (!exists_) return;
  desktop_.Unregister(*this);
  if (events_) events_->Destroyed();
  Released();
  exists_ = false;
  visible_ = false;
}

}  // namespace scr::platform
