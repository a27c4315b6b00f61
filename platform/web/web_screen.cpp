#include "platform/web/web_screen.h"

#include "platform/web/web_bridge.h"
#include "platform/web/web_present.h"
#include "platform/web/web_window.h"

namespace scr::platform::web {

namespace {

// A screen window: the canvas of the picture show control on the stage; the page
// scales it to its box.
class TWebScreenWindow : public TLoopScreenWindow, private IWebContent {
 public:
  TWebScreenWindow(TWebDesktop& desktop, const TWindowSpec& desc, IScreenWindowEvents* events)
      : TLoopScreenWindow(desktop, pageWindow_, desc, events), pageWindow_(desktop, desc, this, this) {}
  ~TWebScreenWindow() override { pageWindow_.Destroy(); }

  // Without threads no worker sleeps; a sleep on the main thread is a wait.
  void Sleep(uint32_t ms) override { JsWait(ms); }

 private:
  // IWebContent. The pointer's place is on the stage.
  void Input(const TWebInput& in) override { Forward(in, bounds_.left, bounds_.top); }
  void Turn() override { Turned(); }
  void Exposed() override {
    if (window_.Visible()) InvalidateRect(Canvas().Bounds());
  }

  void Present(const TBitmap24& canvas, const TRect& area) override { presenter_.Present(canvas, area); }

  TWebWindow pageWindow_;
  TWebPresenter presenter_;
};

}  // namespace

std::unique_ptr<IScreenWindow> TWebScreen::CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) {
  return std::make_unique<TWebScreenWindow>(desktop_, desc, events);
}

void TWebScreen::ApplyCursor(bool visible) { JsShowCursor(visible); }

}  // namespace scr::platform::web
