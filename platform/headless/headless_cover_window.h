#pragma once
// A headless cover window: one of the desktop's own windows, black over its bounds,
// that passes scripted key and mouse input to its events and nothing else.
#include <memory>

#include "platform/headless/headless_desktop.h"
#include "platform/screen.h"

namespace scr::platform::headless {

class THeadlessScreen;

class THeadlessCoverWindow : public IWindow {
 public:
  THeadlessCoverWindow(THeadlessScreen& screen, const TRect& bounds, IScreenWindowEvents* events);
  ~THeadlessCoverWindow() override;

  TWindowHandle Handle() const override { return window_->Handle(); }
  void Show() override { window_->Show(); }
  void Hide() override { window_->Hide(); }
  void Close() override { window_->Close(); }
  bool Exists() const override { return window_->Exists(); }

  TRect Bounds() const { return bounds_; }
  bool Visible() const;

 private:
  THeadlessScreen& screen_;
  THeadlessDesktop& desktop_;
  TRect bounds_;
  std::unique_ptr<IWindow> window_;
};

}  // namespace scr::platform::headless
