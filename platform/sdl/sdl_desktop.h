#pragma once
// The desktop of the Linux player: where its windows go (the stage: full screen, an
// ordinary window of a given size, or a foreign X11 window for hack mode), the
// program's own windows by handle (SDL's window ids), and the one event loop. The
// loop waits for SDL's events and for the next due timer, never spinning; closures
// posted on the main thread run in order from it, and other threads (workers, the
// audio callback, signals) reach it through SDL's thread-safe event queue.
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/loop_desktop.h"
#include "platform/sdl/sdl_events.h"

namespace scr::platform::sdl {

struct TSdlStage {
  enum class TKind : uint8_t { FullScreen, Window, Foreign };
  TKind kind = TKind::FullScreen;
  int width = 0, height = 0;  // Window: the client size
  uintptr_t foreign = 0;      // Foreign: the X11 window id, 0 for the root window
};

class TSdlWindow;

class TSdlDesktop : public TLoopDesktop {
 public:
  explicit TSdlDesktop(TSdlStage stage);
  ~TSdlDesktop() override;

  // IWindowing: the program's own windows; no window of another program is known.
  std::unique_ptr<IDeviceContext> WindowDC(TWindowHandle window) override;
  // The stage's rectangle: the display, the window's client area, or the foreign
  // window's size.
  TRect ScreenRect() override;
  // Full screen, every display (SDL's first one the primary); in a window or a
  // foreign window, that window alone.
  std::vector<TMonitor> Monitors() override;
  std::unique_ptr<IWindow> CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) override;

  // IApplication. Written to stderr; in a window of its own too unless the stage is
  // foreign.
  void ShowException(const std::string& message) override;

  // Any thread: the loop ends at its next turn (SDL_QUIT).
  static void RequestQuit();
  // Any thread: the waiting loop wakes up.
  void Wake();
  // Any thread: code and value reach the handler set for code on the main thread.
  void PostFromThread(int32_t code, intptr_t value);
  void SetThreadEventHandler(int32_t code, std::function<void(intptr_t)> handler);

  const TSdlStage& Stage() const { return stage_; }
  bool InputIgnored() const { return stage_.kind == TSdlStage::TKind::Foreign; }

  // Used by the windows.
  TSdlWindow* Find(TWindowHandle handle);
  double Now() const override { return static_cast<double>(SDL_GetTicks64()); }

 private:
  void DispatchInput() override;
  void Dispatch(const SDL_Event& event);
  void WaitForInput(uint32_t ms) override;

  TSdlStage stage_;
  uint32_t threadEvent_ = 0;
  std::map<int32_t, std::function<void(intptr_t)>> threadHandlers_;
};

}  // namespace scr::platform::sdl
