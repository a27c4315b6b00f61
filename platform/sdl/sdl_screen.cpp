#include "platform/sdl/sdl_screen.h"

#include <algorithm>

#include "platform/absent_services.h"
#include "platform/canvas_host.h"
#include "platform/sdl/sdl_displays.h"
#include "platform/sdl/sdl_window.h"
#include "transition/colors.h"

namespace scr::platform::sdl {

namespace {

// A screen window: the canvas of the picture show control in one of the player's
// windows, repainted and presented from the loop.
class TSdlScreenWindow : public IScreenWindow, public TCanvasHost, private TScreenEventsRelay, private ISdlContent {
 public:
  TSdlScreenWindow(TSdlDesktop& desktop, const TWindowSpec& desc, IScreenWindowEvents* events)
      : TCanvasHost([&desktop] { desktop.Wake(); }),
        TScreenEventsRelay(events),
        desktop_(desktop),
        bounds_(desc.bounds),
        window_(desktop, desc, this, this) {
    SetCanvasColor(desc.color);
    SetClientSize(std::max(0, bounds_.Width()), std::max(0, bounds_.Height()));
  }
  ~TSdlScreenWindow() override { window_.Destroy(); }

  // IWindow
  TWindowHandle Handle() const override { return window_.Handle(); }
  void Show() override {
    if (window_.Visible()) return;
    if (events_) events_->Showing();
    window_.Show();
    InvalidateRect(Canvas().Bounds());
  }
  void Hide() override { window_.Hide(); }
  void Close() override { window_.Close(); }
  bool Exists() const override { return window_.Exists(); }

  // IScreenWindow. The window itself keeps the stage's place and size; the canvas
  // takes the bounds' size and is scaled to the window if they differ.
  ITransitionHost& TransitionHost() override { return *this; }
  void SetColor(uint32_t rgb) override { SetCanvasColor(rgb); }
  uint32_t Color() const override { return CanvasColor(); }
  void SetBounds(const TRect& bounds) override {
    // Full screen, the window follows its bounds to their display.
    if (desktop_.Stage().kind == TSdlStage::TKind::FullScreen && window_.Exists()) MoveToDisplay(window_.Sdl(), bounds);
    bounds_ = bounds;
    SetClientSize(std::max(0, bounds.Width()), std::max(0, bounds.Height()));
  }
  TRect Bounds() const override { return bounds_; }
  void MakeTopmost() override {
    topmost_ = true;
    if (window_.Exists() && !window_.Foreign()) SDL_SetWindowAlwaysOnTop(window_.Sdl(), SDL_TRUE);
  }
  bool Topmost() const override { return topmost_; }
  void HideTaskbarEntry() override {}
  void ReleaseMouseCapture() override { SDL_CaptureMouse(SDL_FALSE); }

  // ITransitionHost
  uint32_t TickCount() override { return desktop_.TickCount(); }
  // The control pumps between its frames until Delay has passed: each pump also
  // waits up to a millisecond for an event, so a transition does not keep a core busy.
  void ProcessMessages() override {
    desktop_.ProcessMessages();
    desktop_.WaitForMessages(1);
  }
  void UpdateNow() override { PaintPending(); }
  void Sleep(uint32_t ms) override { SDL_Delay(ms); }

 private:
  // ISdlContent
  void Input(const TSdlInput& in) override {
    if (!events_) return;
    switch (in.kind) {
      case TSdlInput::TKind::Key: events_->KeyDown(in.key, in.shift); break;
      case TSdlInput::TKind::Move: events_->MouseMove(in.shift, in.x, in.y); break;
      case TSdlInput::TKind::Button: events_->MouseDown(in.button, in.shift, in.x, in.y); break;
      default: break;
    }
  }
  void Turn() override {
    ServeWorkers();
    PaintPending();
  }
  // Uncovered: what was presented is shown again at once, or repainted when it is lost.
  void Exposed() override {
    if (!window_.Visible() || window_.Presenter().Refresh()) return;
    InvalidateRect(Canvas().Bounds());
    PaintPending();
  }
  // A foreign window (hack mode) that changed its size takes the canvas with it; the
  // player's own windows keep the stage's size and scale the frame to the window.
  void Resized(int width, int height) override {
    if (window_.Foreign() && (width != bounds_.Width() || height != bounds_.Height()))
      SetBounds(TRect{0, 0, width, height});
    else
      InvalidateRect(Canvas().Bounds());
    PaintPending();
  }

  void PaintPending() {
    if (!window_.Visible()) return;
    const TRect area = TakeInvalidRect();
    if (area.IsEmpty()) return;
    window_.Presenter().Present(Canvas(), PaintArea(area));
  }

  TSdlDesktop& desktop_;
  TRect bounds_;
  bool topmost_ = false;
  TSdlWindow window_;
};

// A timer of the loop: fires when due, then again an interval later (skipping periods
// the loop was too busy for); a tick during the handler's own run is dropped.
class TSdlTimer : public ITimer, private TSdlTimerSlot {
 public:
  explicit TSdlTimer(TSdlDesktop& desktop) : desktop_(desktop) { desktop_.AddTimer(*this); }
  ~TSdlTimer() override { desktop_.RemoveTimer(*this); }

  void SetInterval(uint32_t ms) override {
    if (ms == interval_) return;
    interval_ = ms;
    Arm();
  }
  uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Arm();
  }
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()> onTimer) override {
    onTimer_ = std::move(onTimer);
    Arm();
  }

 private:
  void Arm() { due_ = desktop_.Now() + interval_; }
  std::optional<uint64_t> Due() const override {
    if (!enabled_ || interval_ == 0 || !onTimer_ || running_) return std::nullopt;
    return due_;
  }
  void Fire(uint64_t now) override {
    due_ += interval_;
    if (due_ <= now) due_ = now + interval_;
    running_ = true;
    struct TDone {
      bool& flag;
      ~TDone() { flag = false; }
    } done{running_};
    const std::function<void()> handler = onTimer_;
    handler();
  }

  TSdlDesktop& desktop_;
  uint32_t interval_ = 1000;
  bool enabled_ = false;
  bool running_ = false;
  uint64_t due_ = 0;
  std::function<void()> onTimer_;
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

std::unique_ptr<ITimer> TSdlScreen::CreateTimer() { return std::make_unique<TSdlTimer>(desktop_); }

int TSdlScreen::ShowCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  SDL_ShowCursor(cursorCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return cursorCount_;
}

bool TSdlScreen::SetScreenSaverRunning(bool) { return NoScreenSaverParameter(); }

uint32_t TSdlScreen::SysColor(int index) { return DefaultSysColor(index); }

std::unique_ptr<IRegistryKey> TSdlScreen::OpenCurrentUserKey(const std::string&) { return NoRegistryKey(); }

bool TSdlScreen::CallVerifyScreenSavePwd(TProcAddress, TWindowHandle) { return NoPasswordCheck(); }

}  // namespace scr::platform::sdl
