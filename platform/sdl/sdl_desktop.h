#pragma once
// The desktop of the Linux player: where its windows go (the stage: full screen, an
// ordinary window of a given size, or a foreign X11 window for hack mode), the
// program's own windows by handle (SDL's window ids), and the one event loop. The
// loop waits for SDL's events and for the next due timer, never spinning; closures
// posted on the main thread run in order from it, and other threads (workers, the
// audio callback, signals) reach it through SDL's thread-safe event queue.
#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/application.h"
#include "platform/sdl/sdl_events.h"
#include "platform/windowing.h"

namespace scr::platform::sdl {

struct TSdlStage {
  enum class TKind : uint8_t { FullScreen, Window, Foreign };
  TKind kind = TKind::FullScreen;
  int width = 0, height = 0;  // Window: the client size
  uintptr_t foreign = 0;      // Foreign: the X11 window id, 0 for the root window
};

class TSdlWindow;

// A timer of the loop (see ITimer for its rules).
class TSdlTimerSlot {
 public:
  virtual ~TSdlTimerSlot() = default;
  // The loop's tick at which it next fires; nothing while it cannot fire.
  virtual std::optional<uint64_t> Due() const = 0;
  virtual void Fire(uint64_t now) = 0;
};

class TSdlDesktop : public IWindowing, public IApplication {
 public:
  explicit TSdlDesktop(TSdlStage stage);
  ~TSdlDesktop() override;

  // IWindowing: the program's own windows; no window of another program is known.
  bool Exists(TWindowHandle window) override { return windows_.count(window) > 0; }
  bool IsVisible(TWindowHandle window) override;
  std::optional<TRect> WindowRect(TWindowHandle window) override;
  std::optional<TRect> ClientRect(TWindowHandle window) override;
  std::unique_ptr<IDeviceContext> WindowDC(TWindowHandle window) override;
  // The stage's rectangle: the display, the window's client area, or the foreign
  // window's size.
  TRect ScreenRect() override;
  // Full screen, every display (SDL's first one the primary); in a window or a
  // foreign window, that window alone.
  std::vector<TMonitor> Monitors() override;
  std::unique_ptr<IWindow> CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) override;
  bool PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) override;

  // IApplication
  void Initialize() override {}
  void ProcessMessages() override;
  void WaitForMessages(uint32_t timeoutMs) override;
  void Run(IWindow& mainWindow) override;
  void Terminate() override { terminated_ = true; }
  // Written to stderr; in a window of its own too unless the stage is foreign.
  void ShowException(const std::string& message) override;
  uint32_t TickCount() override { return static_cast<uint32_t>(SDL_GetTicks64()); }

  // Any thread: the loop ends at its next turn (SDL_QUIT).
  static void RequestQuit();
  // Any thread: the waiting loop wakes up.
  void Wake();
  // Any thread: code and value reach the handler set for code on the main thread.
  void PostFromThread(int32_t code, intptr_t value);
  void SetThreadEventHandler(int32_t code, std::function<void(intptr_t)> handler);

  // Main thread: run fn at the loop's next turn.
  void Post(std::function<void()> fn) { posted_.push_back(std::move(fn)); }
  void SetIdleHandler(std::function<void()> handler) { idle_ = std::move(handler); }
  const TSdlStage& Stage() const { return stage_; }
  bool InputIgnored() const { return stage_.kind == TSdlStage::TKind::Foreign; }

  // Used by the windows and timers.
  void Register(TSdlWindow& window);
  void Unregister(TSdlWindow& window);
  TSdlWindow* Find(TWindowHandle handle);
  void AddTimer(TSdlTimerSlot& timer) { timers_.push_back(&timer); }
  void RemoveTimer(TSdlTimerSlot& timer);
  uint64_t Now() const { return SDL_GetTicks64(); }

 private:
  template <class F>
  void Guarded(F&& fn);
  void Dispatch(const SDL_Event& event);
  void RunDueTimers();
  // Milliseconds until the next timer is due, at most cap.
  uint32_t TimeToNextTimer(uint32_t cap) const;

  TSdlStage stage_;
  uint32_t threadEvent_ = 0;
  bool terminated_ = false;
  std::map<TWindowHandle, TSdlWindow*> windows_;
  std::deque<std::function<void()>> posted_;
  std::vector<TSdlTimerSlot*> timers_;
  std::map<int32_t, std::function<void(intptr_t)>> threadHandlers_;
  std::function<void()> idle_;
};

}  // namespace scr::platform::sdl
