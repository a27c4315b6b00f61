#include "platform/web/web_screen.h"

#include <algorithm>

#include "platform/absent_services.h"
#include "platform/canvas_host.h"
#include "platform/web/web_bridge.h"
#include "platform/web/web_present.h"
#include "platform/web/web_window.h"
#include "transition/colors.h"

namespace scr::platform::web {

namespace {

// A screen window: the canvas of the picture show control on the stage, repainted and
// presented from the loop.
class TWebScreenWindow : public IScreenWindow, public TCanvasHost, private TScreenEventsRelay, private IWebContent {
 public:
  TWebScreenWindow(TWebDesktop& desktop, const TWindowSpec& desc, IScreenWindowEvents* events)
      : TScreenEventsRelay(events), desktop_(desktop), bounds_(desc.bounds), window_(desktop, desc, this, this) {
    SetCanvasColor(desc.color);
    SetClientSize(std::max(0, bounds_.Width()), std::max(0, bounds_.Height()));
  }
  ~TWebScreenWindow() override { window_.Destroy(); }

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

  // IScreenWindow. The canvas takes the bounds' size; the page scales it to its box.
  ITransitionHost& TransitionHost() override { return *this; }
  void SetColor(uint32_t rgb) override { SetCanvasColor(rgb); }
  uint32_t Color() const override { return CanvasColor(); }
  void SetBounds(const TRect& bounds) override {
    bounds_ = bounds;
    SetClientSize(std::max(0, bounds.Width()), std::max(0, bounds.Height()));
  }
  TRect Bounds() const override { return bounds_; }
  void MakeTopmost() override { topmost_ = true; }
  bool Topmost() const override { return topmost_; }
  void HideTaskbarEntry() override {}
  void ReleaseMouseCapture() override {}

  // ITransitionHost
  uint32_t TickCount() override { return desktop_.TickCount(); }
  // The control pumps between its frames until Delay has passed: each pump gives the
  // page a turn of at most a millisecond, so a transition neither spins nor blocks it.
  void ProcessMessages() override {
    desktop_.ProcessMessages();
    desktop_.WaitForMessages(1);
  }
  void UpdateNow() override { PaintPending(); }
  // Without threads no worker sleeps; a sleep on the main thread is a wait.
  void Sleep(uint32_t ms) override { JsWait(ms); }

 private:
  // IWebContent
  void Input(const TWebInput& in) override {
    if (!events_) return;
    switch (in.kind) {
      case TWebInput::TKind::Key: events_->KeyDown(in.key, in.shift); break;
      case TWebInput::TKind::Move: events_->MouseMove(in.shift, in.x - bounds_.left, in.y - bounds_.top); break;
      case TWebInput::TKind::Button:
        events_->MouseDown(in.button, in.shift, in.x - bounds_.left, in.y - bounds_.top);
        break;
      default: break;
    }
  }
  void Turn() override {
    ServeWorkers();
    PaintPending();
  }
  void Exposed() override {
    if (window_.Visible()) InvalidateRect(Canvas().Bounds());
  }

  void PaintPending() {
    if (!window_.Visible()) return;
    const TRect area = TakeInvalidRect();
    if (area.IsEmpty()) return;
    presenter_.Present(Canvas(), PaintArea(area));
  }

  TWebDesktop& desktop_;
  TRect bounds_;
  bool topmost_ = false;
  TWebWindow window_;
  TWebPresenter presenter_;
};

// A timer of the loop: fires when due, then again an interval later (skipping periods
// the loop was too busy for); a tick during the handler's own run is dropped.
class TWebTimer : public ITimer, private TWebTimerSlot {
 public:
  explicit TWebTimer(TWebDesktop& desktop) : desktop_(desktop) { desktop_.AddTimer(*this); }
  ~TWebTimer() override { desktop_.RemoveTimer(*this); }

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
  std::optional<double> Due() const override {
    if (!enabled_ || interval_ == 0 || !onTimer_ || running_) return std::nullopt;
    return due_;
  }
  void Fire(double now) override {
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

  TWebDesktop& desktop_;
  uint32_t interval_ = 1000;
  bool enabled_ = false;
  bool running_ = false;
  double due_ = 0;
  std::function<void()> onTimer_;
};

}  // namespace

std::unique_ptr<IScreenWindow> TWebScreen::CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) {
  return std::make_unique<TWebScreenWindow>(desktop_, desc, events);
}

std::unique_ptr<ITimer> TWebScreen::CreateTimer() { return std::make_unique<TWebTimer>(desktop_); }

int TWebScreen::ShowCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  JsShowCursor(cursorCount_ >= 0);
  return cursorCount_;
}

bool TWebScreen::SetScreenSaverRunning(bool) { return NoScreenSaverParameter(); }

uint32_t TWebScreen::SysColor(int index) { return DefaultSysColor(index); }

std::unique_ptr<IRegistryKey> TWebScreen::OpenCurrentUserKey(const std::string&) { return NoRegistryKey(); }

bool TWebScreen::CallVerifyScreenSavePwd(TProcAddress, TWindowHandle) { return NoPasswordCheck(); }

}  // namespace scr::platform::web
