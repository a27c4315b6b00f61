#pragma once
// The headless desktop: a virtual millisecond clock with scheduled actions, scripted
// foreign windows (each with an in-memory surface that device contexts draw on), the
// program's own windows and their message queue.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "common/bitmap24.h"
#include "platform/application.h"
#include "platform/headless/call_log.h"
#include "platform/windowing.h"

namespace scr::platform::headless {

// Raised when the program waits in a way that can never end: virtual time ran past
// its limit, or visibility was tested over and over without time passing (a busy wait).
class EHeadlessStall : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TForeignWindow {
  TRect rect;           // screen coordinates
  bool visible = false;
  TBitmap24 surface;    // the client area as drawn on, client-sized
};

class THeadlessDesktop : public IWindowing, public IApplication {
 public:
  explicit THeadlessDesktop(TCallLog& log) : log_(log) {}
  ~THeadlessDesktop() override;

  // IWindowing
  bool Exists(TWindowHandle window) override { return foreign_.count(window) > 0 || own_.count(window) > 0; }
  bool IsVisible(TWindowHandle window) override;
  std::optional<TRect> WindowRect(TWindowHandle window) override;
  std::optional<TRect> ClientRect(TWindowHandle window) override;
  std::unique_ptr<IDeviceContext> WindowDC(TWindowHandle window) override;
  TRect ScreenRect() override { return screen_; }
  std::vector<TMonitor> Monitors() override;
  std::unique_ptr<IWindow> CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) override;
  bool PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) override;

  // IApplication
  void Initialize() override;
  void ProcessMessages() override;
  void WaitForMessages(uint32_t timeoutMs) override;
  void Run(IWindow& mainWindow) override;
  void Terminate() override { terminated_ = true; }
  uint32_t TickCount() override { return static_cast<uint32_t>(tick_); }
  void ShowException(const std::string& message) override { log_.Add("ShowException " + message); }

  // Test set-up and inspection.
  // A foreign window; its surface starts filled with fill (0x00BBGGRR).
  TForeignWindow& AddForeignWindow(TWindowHandle handle, TRect rect, bool visible, uint32_t fill = 0xFF00FF);
  TForeignWindow* Foreign(TWindowHandle handle);
  void SetVisible(TWindowHandle handle, bool visible);
  void RemoveForeignWindow(TWindowHandle handle) { foreign_.erase(handle); }
  // Runs action once virtual time reaches tick (at the next wait or idle turn).
  void At(uint64_t tick, std::function<void()> action);
  // Advances virtual time by ms, running the actions that fall due.
  void Advance(uint64_t ms);
  uint64_t Now() const { return tick_; }
  void SetScreen(TRect screen) { screen_ = screen; }
  // The displays Monitors reports; the primary one's rectangle becomes the screen.
  // Without a list (the default, or an empty one) the screen is the one display.
  // Every own window that exists is sent the display-change notification (dispatched
  // by the message loop), so the list may change while a show runs.
  void SetMonitors(std::vector<TMonitor> monitors);
  // Virtual time after which a wait raises EHeadlessStall (default one hour).
  void SetTimeLimit(uint64_t ms) { timeLimit_ = ms; }
  bool Initialized() const { return initialized_; }
  // Handles of the program's own windows that exist now.
  std::vector<TWindowHandle> OwnWindows() const;
  bool OwnWindowVisible(TWindowHandle handle) const;

  // Used by the own windows.
  struct TOwnWindow {
    TWindowSpec desc;
    IWindowEvents* events = nullptr;
    bool visible = false;
  };
  void ShowOwn(TWindowHandle h, bool show);
  void CloseOwn(TWindowHandle h);
  void DestroyOwn(TWindowHandle h);
  bool OwnExists(TWindowHandle h) const { return own_.count(h) > 0; }
  // Moves or resizes one of the own windows (its WindowRect and ClientRect follow).
  void SetOwnBounds(TWindowHandle h, const TRect& bounds);

  // The application's idle handler: Run calls it each time it finds the queue empty,
  // before letting time pass. Calling it over and over at one instant without any
  // message arriving raises EHeadlessStall (a program that keeps itself busy).
  void SetIdleHandler(std::function<void()> handler) { idle_ = std::move(handler); }
  // Messages below the first user message other than activation and close, for one
  // of the own windows (input, timers); the handler returns true when it took one.
  using TMessageHandler = std::function<bool(uint32_t message, uintptr_t wparam, intptr_t lparam)>;
  void SetMessageHandler(TWindowHandle h, TMessageHandler handler);

 private:
  struct TMessage {
    TWindowHandle window;
    uint32_t message;
    uintptr_t wparam;
    intptr_t lparam;
  };
  void Dispatch(const TMessage& m);
  void DispatchTo(IWindowEvents* events, const TMessage& m);
  void RunDue();
  void CheckBusy();

  TCallLog& log_;
  TRect screen_{0, 0, 1024, 768};
  std::vector<TMonitor> monitors_;
  uint64_t tick_ = 0;
  uint64_t timeLimit_ = 3600u * 1000u;
  uint64_t testsAtThisTick_ = 0;
  uint64_t lastTestTick_ = 0;
  bool initialized_ = false;
  bool terminated_ = false;
  TWindowHandle nextOwn_ = 0x10000;
  std::multimap<uint64_t, std::function<void()>> timeline_;
  std::map<TWindowHandle, TForeignWindow> foreign_;
  std::map<TWindowHandle, TOwnWindow> own_;
  std::deque<TMessage> queue_;
  std::function<void()> idle_;
  uint64_t idleTick_ = 0;
  uint64_t idleTurns_ = 0;
  std::map<TWindowHandle, TMessageHandler> handlers_;
};

}  // namespace scr::platform::headless
