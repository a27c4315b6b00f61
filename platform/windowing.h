#pragma once
// Windows: foreign windows known by handle (the preview window of the display control
// panel), the program's own main window, device contexts that show a 24-bit bitmap.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/bitmap24.h"
#include "common/geometry.h"
#include "platform/types.h"

namespace scr::platform {

// What the program's own windows are told. Handlers run on the main thread from the
// message loop (or from ProcessMessages).
class IWindowEvents {
 public:
  virtual ~IWindowEvents() = default;
  // The window became the active window.
  virtual void Activated() {}
  // A close was asked for; false keeps the window.
  virtual bool CloseQuery() { return true; }
  // The window is being destroyed (after the close was accepted).
  virtual void Destroyed() {}
  // The desktop's displays changed: one was added or removed, or one's resolution or
  // place changed. Monitors() and ScreenRect() already tell the new state.
  virtual void DisplayChanged() {}
  // A message at or above the first user message (0x400); true when handled.
  virtual bool UserMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) { return false; }
};

struct TWindowSpec {
  std::string caption;
  TRect bounds{0, 0, 320, 240};  // screen coordinates
  uint32_t color = 0;            // background, 0x00BBGGRR
  bool borderless = false;
};

// One display of the desktop, in screen coordinates. The primary one has its top-left
// at (0, 0); the others may lie on any side of it, also at negative coordinates.
struct TMonitor {
  TRect bounds;
  bool primary = false;
  friend bool operator==(const TMonitor&, const TMonitor&) = default;
};

// One of the program's own windows. Destroying the object destroys the window.
class IWindow {
 public:
  virtual ~IWindow() = default;
  virtual TWindowHandle Handle() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Asks the window to close (CloseQuery, then destruction).
  virtual void Close() = 0;
  virtual bool Exists() const = 0;
};

// A window's device context; released when the object goes.
class IDeviceContext {
 public:
  virtual ~IDeviceContext() = default;
  // Shows bitmap scaled into dest (window client coordinates), clipped to the window.
  virtual void DrawBitmap(const TBitmap24& bitmap, const TRect& dest) = 0;
};

class IWindowing {
 public:
  virtual ~IWindowing() = default;
  // Whether a handle names a window (of this process or another).
  virtual bool Exists(TWindowHandle window) = 0;
  // Visibility of any window; false for a handle that names no window.
  virtual bool IsVisible(TWindowHandle window) = 0;
  // The window's rectangle in screen coordinates; nothing for a handle that names no window.
  virtual std::optional<TRect> WindowRect(TWindowHandle window) = 0;
  // The client area, origin (0, 0).
  virtual std::optional<TRect> ClientRect(TWindowHandle window) = 0;
  // The device context of any window (GetDC); empty on failure.
  virtual std::unique_ptr<IDeviceContext> WindowDC(TWindowHandle window) = 0;
  // The primary display's rectangle.
  virtual TRect ScreenRect() = 0;
  // Every display of the desktop, the primary one among them; a desktop that cannot
  // tell reports the primary display alone.
  virtual std::vector<TMonitor> Monitors() = 0;
  // Creates (hidden) one of the program's own top-level windows; events may be null
  // and must outlive the window.
  virtual std::unique_ptr<IWindow> CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) = 0;
  // Posts a message to any window; false when that failed.
  virtual bool PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) = 0;
};

}  // namespace scr::platform
