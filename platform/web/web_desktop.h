#pragma once
// The desktop of the page: one stage (the canvas, of the size the page gives), the
// program's own windows, and the one event loop. The loop waits for the page's input
// and for the next due timer by giving the page's event loop its turn (the module is
// built with Asyncify), never spinning. The page's input arrives through the module's
// exported functions (web_exports.cpp) between turns.
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/loop_desktop.h"
#include "platform/screen.h"

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

class TWebDesktop : public TLoopDesktop {
 public:
  TWebDesktop(int stageWidth, int stageHeight);
  ~TWebDesktop() override;

  // The desktop the page's input goes to: the one made last that still lives.
  static TWebDesktop* Current();

  // IWindowing: no window of another program is known.
  std::unique_ptr<IDeviceContext> WindowDC(TWindowHandle window) override;
  TRect ScreenRect() override { return TRect{0, 0, width_, height_}; }
  std::vector<TMonitor> Monitors() override { return {TMonitor{ScreenRect(), true}}; }
  std::unique_ptr<IWindow> CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) override;

  // IApplication
  void ShowException(const std::string& message) override;

  // From the page: input for the window that shows on top, and the end of the show
  // (every window hides and the loop ends, as when the session ends).
  void Deliver(const TWebInput& input) { inputs_.push_back(input); }
  void Quit() { quitAsked_ = true; }

  // Used by the windows.
  void Unregister(TLoopWindow& window) override;
  TWebWindow* Find(TWindowHandle handle);
  TWindowHandle NextHandle() { return ++lastHandle_; }
  void Raise(TWebWindow& window);
  double Now() const override;

 private:
  void DispatchInput() override;
  bool InputPending() const override { return !inputs_.empty() || quitAsked_; }
  // Even a wait of nothing gives the page its turn, so it can paint and take input.
  void WaitForInput(uint32_t ms) override;

  int width_, height_;
  bool quitAsked_ = false;
  TWindowHandle lastHandle_ = 0x100;
  std::vector<TWindowHandle> zOrder_;  // last: the window on top
  std::deque<TWebInput> inputs_;
  TWebDesktop* previous_ = nullptr;
};

}  // namespace scr::platform::web
