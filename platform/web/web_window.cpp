#include "platform/web/web_window.h"

namespace scr::platform::web {

TWebWindow::TWebWindow(TWebDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events, IWebContent* content)
    : desktop_(desktop), events_(events), content_(content), handle_(desktop.NextHandle()), rect_(desc.bounds) {
  desktop_.Register(*this);
}

TWebWindow::~TWebWindow() { Destroy(); }

void TWebWindow::Show() {
  if (!exists_ || visible_) return;
  visible_ = true;
  desktop_.Raise(*this);
  // Showing a window makes it the active one: the activation comes from the loop.
  const TWindowHandle h = handle_;
  TWebDesktop* desktop = &desktop_;
  desktop_.Post([desktop, h] {
    if (TWebWindow* w = desktop->Find(h)) w->Activate();
  });
}

void TWebWindow::Hide() {
  if (!exists_ || !visible_) return;
  visible_ = false;
  desktop_.Raise(*this);
}

void TWebWindow::Close() {
  const TWindowHandle h = handle_;
  TWebDesktop* desktop = &desktop_;
  desktop_.Post([desktop, h] {
    if (TWebWindow* w = desktop->Find(h)) w->CloseNow();
  });
}

void TWebWindow::CloseNow() {
  if (!exists_) return;
  if (events_ && !events_->CloseQuery()) return;
  Destroy();
}

void TWebWindow::Destroy() {
  if (!exists_) return;
  desktop_.Unregister(*this);
  if (events_) events_->Destroyed();
  exists_ = false;
  visible_ = false;
}

}  // namespace scr::platform::web
