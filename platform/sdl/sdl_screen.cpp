#include "platform/sdl/sdl_screen.h"

#include "platform/sdl/sdl_displays.h"
#include "platform/sdl/sdl_window.h"

namespace scr::platform::sdl {

namespace {

// A screen window: the canvas of the picture show control in one of the player's
// windows. The window itself keeps the stage's place and size; the canvas takes the
// bounds' size and is scaled to the window if they differ.
class TSdlScreenWindow : public TLoopScreenWindow, private ISdlContent {
 public:
  TSdlScreenWindow(TSdlDesktop& desktop, const TWindowSpec& desc, IScreenWindowEvents* events)
      : TLoopScreenWindow(desktop, sdlWindow_, desc, events, [&desktop] { desktop.Wake(); }),
        stage_(desktop),
        sdlWindow_(desktop, desc, this, this) {}
  ~TSdlScreenWindow() override { sdlWindow_.Destroy(); }

  void SetBounds(const TRect& bounds) override {
    // Full screen, the window follows its bounds to their display.
    if (stage_.Stage().kind == TSdlStage::TKind::FullScreen && sdlWindow_.Exists())
      MoveToDisplay(sdlWindow_.Sdl(), bounds);
    TLoopScreenWindow::SetBounds(bounds);
  }
  void MakeTopmost() override {
    TLoopScreenWindow::MakeTopmost();
    if (sdlWindow_.Exists() && !sdlWindow_.Foreign()) SDL_SetWindowAlwaysOnTop(sdlWindow_.Sdl(), SDL_TRUE);
  }
  void ReleaseMouseCapture() override { SDL_CaptureMouse(SDL_FALSE); }
  void Sleep(uint32_t ms) override { SDL_Delay(ms); }

 private:
  // ISdlContent
  void Input(const TSdlInput& in) override { Forward(in, 0, 0); }
  void Turn() override { Turned(); }
  // Uncovered: what was presented is shown again at once, or repainted when it is lost.
  void Exposed() override {
    if (!sdlWindow_.Visible() || sdlWindow_.Presenter().Refresh()) return;
    InvalidateRect(Canvas().Bounds());
    PaintPending();
  }
  // A foreign window (hack mode) that changed its size takes the canvas with it; the
  // player's own windows keep the stage's size and scale the frame to the window.
  void Resized(int width, int height) override {
    if (sdlWindow_.Foreign() && (width != bounds_.Width() || height != bounds_.Height()))
      SetBounds(TRect{0, 0, width, height});
    else
      InvalidateRect(Canvas().Bounds());
    PaintPending();
  }

  void Present(const TBitmap24& canvas, const TRect& area) override { sdlWindow_.Presenter().Present(canvas, area); }

  TSdlDesktop& stage_;
  TSdlWindow sdlWindow_;
};

}  // namespace

std::unique_ptr<IScreenWindow> TSdlScreen::CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) {
  return std::make_unique<TSdlScreenWindow>(desktop_, desc, events);
}

std::unique_ptr<IWindow> TSdlScreen::CreateCoverWindow(const TRect& bounds, IScreenWindowEvents* events) {
  // Full screen only: a window or a foreign window is all the player shows on.
  if (desktop_.Stage().kind != TSdlStage::TKind::FullScreen) return nullptr;
  TWindowSpec desc;
  desc.caption = "scrplay cover";
  desc.bounds = bounds;
  desc.color = 0;
  desc.borderless = true;
  auto cover = std::make_unique<TSdlScreenWindow>(desktop_, desc, events);
  cover->MakeTopmost();
  return cover;
}

void TSdlScreen::ApplyCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

}  // namespace scr::platform::sdl
