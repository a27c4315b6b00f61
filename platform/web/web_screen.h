#pragma once
// The screen of the page: screen windows on the stage whose client areas are canvases
// presented to the page's canvas, timers of the loop, the cursor's show count, caption
// text through the canvas; the Windows-only services answer as absent.
#include <memory>

#include "platform/loop_screen.h"
#include "platform/web/web_desktop.h"
#include "platform/web/web_text.h"

namespace scr::platform::web {

class TWebScreen : public TTextLoopScreen<TWebText> {
 public:
  explicit TWebScreen(TWebDesktop& desktop) : TTextLoopScreen(desktop), desktop_(desktop) {}

  std::unique_ptr<IScreenWindow> CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) override;
  // With one stage there is nothing to cover.
  std::unique_ptr<IWindow> CreateCoverWindow(const TRect&, IScreenWindowEvents*) override { return nullptr; }

 private:
  void ApplyCursor(bool visible) override;

  TWebDesktop& desktop_;
};

}  // namespace scr::platform::web
