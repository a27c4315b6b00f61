#pragma once
// What the screens of the backends with one event loop share: screen windows whose
// client area is a canvas repainted and presented from the loop, the loop's timers, the
// cursor's show count, and the Windows-only services answering as absent. The backend
// brings the real window, the way a repainted part reaches the display, and text.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "platform/canvas_host.h"
#include "platform/loop_desktop.h"
#include "platform/loop_window.h"
#include "platform/screen.h"

namespace scr::platform {

// A screen window: the canvas of the picture show control in one of the backend's
// windows (window, a member of the derived class, is only used once it is made).
class TLoopScreenWindow : public IScreenWindow, public TCanvasHost, protected TScreenEventsRelay {
 public:
  // IWindow
  TWindowHandle Handle() const override { return window_.Handle(); }
  void Show() override;
  void Hide() override { window_.Hide(); }
  void Close() override { window_.Close(); }
  bool Exists() const override { return window_.Exists(); }

  // IScreenWindow. The canvas takes the bounds' size.
  ITransitionHost& TransitionHost() override { return *this; }
  void SetColor(uint32_t rgb) override { SetCanvasColor(rgb); }
  uint32_t Color() const override { return CanvasColor(); }
  void SetBounds(const TRect& bounds) override;
  TRect Bounds() const override { return bounds_; }
  void MakeTopmost() override { topmost_ = true; }
  bool Topmost() const override { return topmost_; }
  void HideTaskbarEntry() override {}
  void ReleaseMouseCapture() override {}

  // ITransitionHost
  uint32_t TickCount() override { return desktop_.TickCount(); }
  // The control pumps between its frames until Delay has passed: each pump also
  // waits up to a millisecond for input, so a transition neither keeps a core busy
  // nor blocks the loop.
  void ProcessMessages() override {
    desktop_.ProcessMessages();
    desktop_.WaitForMessages(1);
  }
  void UpdateNow() override { PaintPending(); }

 protected:
  TLoopScreenWindow(TLoopDesktop& desktop, TLoopWindow& window, const TWindowSpec& desc, IScreenWindowEvents* events,
                    std::function<void()> wakeMainThread = {});

  // Key, pointer and button input to the screen events; the pointer's place less
  // (originX, originY) is the client position.
  template <class TInput>
  void Forward(const TInput& in, int originX, int originY) {
    if (!events_) return;
    switch (in.kind) {
      case TInput::TKind::Key: events_->KeyDown(in.key, in.shift); break;
      case TInput::TKind::Move: events_->MouseMove(in.shift, in.x - originX, in.y - originY); break;
      case TInput::TKind::Button: events_->MouseDown(in.button, in.shift, in.x - originX, in.y - originY); break;
      default: break;
    }
  }
  // Each turn of the loop: the workers' requests, then what waits to be repainted.
  void Turned() {
    ServeWorkers();
    PaintPending();
  }
  void PaintPending();
  // The repainted area of the canvas reaches the display.
  virtual void Present(const TBitmap24& canvas, const TRect& area) = 0;

  TLoopDesktop& desktop_;
  TLoopWindow& window_;
  TRect bounds_;
  bool topmost_ = false;
};

class TLoopScreen : public IScreen {
 public:
  void SetIdleHandler(std::function<void()> handler) override { desktop_.SetIdleHandler(std::move(handler)); }
  std::unique_ptr<ITimer> CreateTimer() override;
  int ShowCursor(bool show) override;
  bool SetScreenSaverRunning(bool running) override;
  uint32_t SysColor(int index) override;
  std::unique_ptr<IRegistryKey> OpenCurrentUserKey(const std::string& path) override;
  bool CallVerifyScreenSavePwd(TProcAddress proc, TWindowHandle window) override;

 protected:
  explicit TLoopScreen(TLoopDesktop& desktop) : desktop_(desktop) {}
  // The cursor shows or hides over the backend's windows.
  virtual void ApplyCursor(bool visible) = 0;

 private:
  TLoopDesktop& desktop_;
  int cursorCount_ = 0;
};

// A loop screen whose caption text comes from a text engine of the backend's (Extent and
// Draw as IScreen's TextExtent and DrawTextAt).
template <class TText>
class TTextLoopScreen : public TLoopScreen {
 public:
  TTextSize TextExtent(const TTextFont& font, std::string_view text) override { return text_.Extent(font, text); }
  void DrawTextAt(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) override {
    text_.Draw(bitmap, x, y, font, text);
  }

 protected:
  using TLoopScreen::TLoopScreen;

 private:
  TText text_;
};

}  // namespace scr::platform
