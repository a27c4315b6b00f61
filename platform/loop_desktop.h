#pragma once
// The part of a desktop that every backend with one event loop of its own shares: the
// program's own windows by handle, closures posted on the main thread (run in order,
// each turn only those posted before it), the loop's timers, the idle handler, and the
// loop itself, which waits for input and for the next due timer, never spinning. The
// backend brings its clock, its input and its way of waiting.
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/application.h"
#include "platform/loop_window.h"
#include "platform/windowing.h"

namespace scr::platform {

// A timer of the loop (see ITimer for its rules).
class TLoopTimerSlot {
 public:
  virtual ~TLoopTimerSlot() = default;
  // The loop's time at which it next fires; nothing while it cannot fire.
  virtual std::optional<double> Due() const = 0;
  virtual void Fire(double now) = 0;
};

class TLoopDesktop : public IWindowing, public IApplication {
 public:
  // IWindowing: the program's own windows.
  bool Exists(TWindowHandle window) override { return windows_.count(window) > 0; }
  bool IsVisible(TWindowHandle window) override;
  std::optional<TRect> WindowRect(TWindowHandle window) override;
  std::optional<TRect> ClientRect(TWindowHandle window) override;
  bool PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) override;

  // IApplication
  void Initialize() override {}
  void ProcessMessages() override;
  void WaitForMessages(uint32_t timeoutMs) override;
  void Run(IWindow& mainWindow) override;
  void Terminate() override { terminated_ = true; }
  uint32_t TickCount() override { return static_cast<uint32_t>(static_cast<uint64_t>(Now())); }

  // Main thread: run fn at the loop's next turn.
  void Post(std::function<void()> fn) { posted_.push_back(std::move(fn)); }
  void SetIdleHandler(std::function<void()> handler) { idle_ = std::move(handler); }

  // Used by the windows and timers.
  virtual void Register(TLoopWindow& window) { windows_[window.Handle()] = &window; }
  virtual void Unregister(TLoopWindow& window) { windows_.erase(window.Handle()); }
  TLoopWindow* Find(TWindowHandle handle);
  void AddTimer(TLoopTimerSlot& timer) { timers_.push_back(&timer); }
  void RemoveTimer(TLoopTimerSlot& timer);
  // The loop's clock, in milliseconds.
  virtual double Now() const = 0;

 protected:
  // An error that escapes a handler ends that handler and is reported; the program
  // carries on.
  template <class F>
  void Guarded(F&& fn) {
    try {
      fn();
    } catch (const std::exception& e) {
      ShowException(e.what());
    } catch (...) {
      ShowException("Unknown error");
    }
  }
  // Takes the input that came since the last turn to its windows.
  virtual void DispatchInput() = 0;
  // Input that waits for the next turn (a wait ends at once then).
  virtual bool InputPending() const { return false; }
  // Waits up to ms milliseconds (maybe none) for input.
  virtual void WaitForInput(uint32_t ms) = 0;
  // The session ends: every window hides (which also ends the waits that last while a
  // window shows) and the loop ends.
  void EndSession();
  // The windows as they are now, to walk while handlers may add or remove some.
  std::map<TWindowHandle, TLoopWindow*> WindowsNow() const { return windows_; }

  bool terminated_ = false;

 private:
  void RunDueTimers();
  // Milliseconds until the next timer is due, at most cap.
  uint32_t TimeToNextTimer(uint32_t cap) const;

  std::map<TWindowHandle, TLoopWindow*> windows_;
  std::deque<std::function<void()>> posted_;
  std::vector<TLoopTimerSlot*> timers_;
  std::function<void()> idle_;
};

}  // namespace scr::platform
