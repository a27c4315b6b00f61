#pragma once
// The desktop of the page: one stage (the canvas, of the size the page gives), the
// program's own windows by handle, and the one event loop. The loop waits for the
// page's input and for the next due timer by giving the page's event loop its turn
// (the module is built with Asyncify), never spinning. The page's input arrives
// through the module's exported functions (web_exports.cpp) between turns.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/application.h"
#include "platform/screen.h"
#include "platform/windowing.h"

namespace scr::platform::web {

struct TWebInput {
  enum class TKind : uint8_t { None, Key, Move, Button };
  TKind kind = TKind::None;
  uint16_t key = 0;  // virtual-key code
  TShiftBits shift = 0;
  TButton button = TButton::Left;
  int x = 0, y = 0;  // stage (canvas) coordinates
};

class TWebWindow;

// A timer of the loop (see ITimer for its rules).
class TWebTimerSlot {
 public:
  virtual ~TWebTimerSlot() = default;
  // The loop's time at which it next fires; nothing while it cannot fire.
  virtual std::optional<double> Due() const = 0;
  virtual void Fire(double now) = 0;
};

class TWebDesktop : public IWindowing, public IApplication {
 public:
  TWebDesktop(int stageWidth, int stageHeight);
  ~TWebDesktop() override;

  // The desktop the page's input goes to: the one made last that still lives.
  static TWebDesktop* Current();

  // IWindowing: the program's own windows; no window of another program is known.
  bool Exists(TWindowHandle window) override { return windows_.count(window) > 0; }
  bool IsVisible(TWindowHandle window) override;
  std::optional<TRect> WindowRect(TWindowHandle window) override;
  std::optional<TRect> ClientRect(TWindowHandle window) override;
  std::unique_ptr<IDeviceContext> WindowDC(TWindowHandle window) override;
  TRect ScreenRect() override { return TRect{0, 0, width_, height_}; }
  std::vector<TMonitor> Monitors() override { return {TMonitor{ScreenRect(), true}}; }
  std::unique_ptr<IWindow> CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) override;
  bool PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) override;

  // IApplication
  void Initialize() override {}
  void ProcessMessages() override;
  void WaitForMessages(uint32_t timeoutMs) override;
  void Run(IWindow& mainWindow) override;
  void Terminate() override { terminated_ = true; }
  void ShowException(const std::string& message) override;
  uint32_t TickCount() override { return static_cast<uint32_t>(static_cast<uint64_t>(Now())); }

  // From the page: input for the window that shows on top, and the end of the show
  // (every window hides and the loop ends, as when the session ends).
  void Deliver(const TWebInput& input) { inputs_.push_back(input); }
  void Quit() { quitAsked_ = true; }

  // Main thread: run fn at the loop's next turn.
  void Post(std::function<void()> fn) { posted_.push_back(std::move(fn)); }
  void SetIdleHandler(std::function<void()> handler) { idle_ = std::move(handler); }

  // Used by the windows and timers.
  void Register(TWebWindow& window);
  void Unregister(TWebWindow& window);
  TWebWindow* Find(TWindowHandle handle);
  TWindowHandle NextHandle() { return ++lastHandle_; }
  void Raise(TWebWindow& window);
  void AddTimer(TWebTimerSlot& timer) { timers_.push_back(&timer); }
  void RemoveTimer(TWebTimerSlot& timer);
  double Now() const;

 private:
  template <class F>
  void Guarded(F&& fn);
  void DispatchInput();
  void RunDueTimers();
  // Milliseconds until the next timer is due, at most cap.
  uint32_t TimeToNextTimer(uint32_t cap) const;

  int width_, height_;
  bool terminated_ = false;
  bool quitAsked_ = false;
  TWindowHandle lastHandle_ = 0x100;
  std::map<TWindowHandle, TWebWindow*> windows_;
  std::vector<TWindowHandle> zOrder_;  // last: the window on top
  std::deque<TWebInput> inputs_;
  std::deque<std::function<void()>> posted_;
  std::vector<TWebTimerSlot*> timers_;
  std::function<void()> idle_;
  TWebDesktop* previous_ = nullptr;
};

}  // namespace scr::platform::web
