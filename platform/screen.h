#pragma once
// What a full-screen window of the program needs from the system: the window itself
// (borderless, screen-sized, topmost, without a task-bar entry) with key and mouse
// input and a client area the picture show control paints into; the application's
// idle handler and timers; the mouse cursor's show count; the "screen saver running"
// system parameter; system colours; the current user's registry; the screen-saver
// password check; and caption text measured and drawn into a bitmap.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/bitmap24.h"
#include "common/geometry.h"
#include "platform/system.h"
#include "platform/types.h"
#include "platform/windowing.h"

namespace scr {
class ITransitionHost;
}

namespace scr::platform {

// Shift and button state of an input event (the bits the framework uses).
using TShiftBits = uint16_t;
inline constexpr TShiftBits kShiftKey = 1, kAltKey = 2, kCtrlKey = 4, kLeftButton = 8, kRightButton = 16,
                            kMiddleButton = 32;

enum class TButton : uint8_t { Left, Right, Middle };

// Events of a screen window, on top of the common window events. All run on the main
// thread from the message loop (or from ProcessMessages).
class IScreenWindowEvents : public IWindowEvents {
 public:
  // The window is about to become visible (before it is shown).
  virtual void Showing() {}
  // The close was accepted; the window is destroyed right after.
  virtual void Closing() {}
  // A key went down (any key, also with Alt), with its virtual-key code. The window
  // sees every key whatever has the focus.
  virtual void KeyDown(uint16_t key, TShiftBits shift) {}
  // The pointer moved to (x, y), client coordinates.
  virtual void MouseMove(TShiftBits shift, int x, int y) {}
  // A button went down at (x, y), client coordinates; the second press of a
  // double-click is a button going down like any other.
  virtual void MouseDown(TButton button, TShiftBits shift, int x, int y) {}
};

// The window events of a screen window's own top-level window, passed on to its screen
// events (which may be null); a close they accept is announced to them with Closing.
class TScreenEventsRelay : public IWindowEvents {
 public:
  explicit TScreenEventsRelay(IScreenWindowEvents* events) : events_(events) {}

  void Activated() override {
    if (events_) events_->Activated();
  }
  bool CloseQuery() override {
    if (events_ && !events_->CloseQuery()) return false;
    if (events_) events_->Closing();
    return true;
  }
  void Destroyed() override {
    if (events_) events_->Destroyed();
  }
  void DisplayChanged() override {
    if (events_) events_->DisplayChanged();
  }
  bool UserMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) override {
    return events_ && events_->UserMessage(message, wparam, lparam);
  }

 protected:
  IScreenWindowEvents* events_;
};

// One of the program's own windows that can cover the screen. Its client area is a
// canvas painted by the controls attached to TransitionHost(): each repaint fills the
// invalid part with the window's colour and has the controls paint over it.
class IScreenWindow : public IWindow {
 public:
  // The host through which windowless controls paint into this window.
  virtual ITransitionHost& TransitionHost() = 0;
  // Colour of the client area behind the controls (0x00BBGGRR).
  virtual void SetColor(uint32_t rgb) = 0;
  virtual uint32_t Color() const = 0;
  // Position and size in screen coordinates.
  virtual void SetBounds(const TRect& bounds) = 0;
  virtual TRect Bounds() const = 0;
  // Places the window above all windows that are not topmost, without moving or
  // resizing it.
  virtual void MakeTopmost() = 0;
  virtual bool Topmost() const = 0;
  // Leaves the task bar without an entry for this window.
  virtual void HideTaskbarEntry() = 0;
  // Lets go of the mouse capture, if the window holds it.
  virtual void ReleaseMouseCapture() = 0;
};

// A timer of the application: while enabled with an interval above 0 it ticks every
// interval milliseconds, from the message loop. Enabling (or changing the interval of
// an enabled timer) starts a new period. A tick that comes while the handler of the
// last one still runs is dropped. Errors escaping the handler are reported with the
// application's error box.
class ITimer {
 public:
  virtual ~ITimer() = default;
  virtual void SetInterval(uint32_t ms) = 0;
  virtual uint32_t Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetOnTimer(std::function<void()> onTimer) = 0;
};

// A key of the current user's registry, opened for reading; closed when the object goes.
class IRegistryKey {
 public:
  virtual ~IRegistryKey() = default;
  // A 32-bit integer value; raises Exception when the value is missing or of another
  // type.
  virtual int32_t ReadInteger(const std::string& name) = 0;
};

// The caption font as the text renderer takes it: face name, height (below zero the
// characters' height in pixels, above zero the cell height) and colour (0x00BBGGRR).
// Drawn in the regular style.
struct TTextSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TTextSize&, const TTextSize&) = default;
};

struct TTextFont {
  std::string name = "MS Sans Serif";
  int32_t height = -11;
  uint32_t color = 0;
};

class IScreen {
 public:
  virtual ~IScreen() = default;

  // Creates (hidden) a borderless screen window; events may be null and must outlive it.
  virtual std::unique_ptr<IScreenWindow> CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) = 0;
  // Creates (hidden) a cover window: borderless, black, topmost, exactly over bounds
  // (screen coordinates), without a task-bar entry. Showing it never takes the
  // activation from another window, and the cursor's show count holds over it as
  // over every window of the program. Its key, mouse-move and mouse-down events go to
  // events (which must outlive it) in its own client coordinates; no other event is
  // sent. Destroying the object closes the window. Empty when the backend cannot
  // make one.
  virtual std::unique_ptr<IWindow> CreateCoverWindow(const TRect& bounds, IScreenWindowEvents* events) = 0;

  // The application's idle handler: called every time the message loop finds its
  // queue empty, before it waits. An empty function removes it.
  virtual void SetIdleHandler(std::function<void()> handler) = 0;
  // A disabled timer with interval 1000 ms and no handler.
  virtual std::unique_ptr<ITimer> CreateTimer() = 0;

  // ShowCursor: one show (true) or hide (false) call; returns the new display count.
  // The cursor shows while the count is at least 0; it starts at 0.
  virtual int ShowCursor(bool show) = 0;
  // Tells the system whether a screen saver runs (system parameter 97); false when the
  // call failed.
  virtual bool SetScreenSaverRunning(bool running) = 0;
  // The RGB value (0x00BBGGRR) of system colour number index.
  virtual uint32_t SysColor(int index) = 0;

  // Opens a key under the current user's root for reading, without creating it; empty
  // when it cannot be opened.
  virtual std::unique_ptr<IRegistryKey> OpenCurrentUserKey(const std::string& path) = 0;
  // Calls an export of the VerifyScreenSavePwd kind (window) -> BOOL; true when the low
  // byte of its result is not zero.
  virtual bool CallVerifyScreenSavePwd(TProcAddress proc, TWindowHandle window) = 0;

  // Width and height of UTF-8 text drawn on one line in the font.
  virtual TTextSize TextExtent(const TTextFont& font, std::string_view text) = 0;
  // Draws text on one line with its cell's top-left at (x, y), without filling the
  // cell, clipped to the bitmap. Text is UTF-8, drawn as typed: characters the font
  // lacks come from a font that has them.
  virtual void DrawTextAt(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) = 0;
};

}  // namespace scr::platform
