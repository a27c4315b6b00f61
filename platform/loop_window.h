#pragma once
// One of the program's own windows on a desktop with one event loop: its handle, whether
// it shows, the close that is posted to the loop (the close query runs from there) and
// the activation that follows showing it. The backend makes and shows the real thing;
// its content is painted from the loop.
#include <cstdint>

#include "common/geometry.h"
#include "platform/windowing.h"

namespace scr::platform {

class TLoopDesktop;

// What a window holds: painted from the loop. A backend's content adds its input.
class ILoopContent {
 public:
  virtual ~ILoopContent() = default;
  // Every turn of the loop, before the idle handler.
  virtual void Turn() {}
  // The window was uncovered: everything shows anew.
  virtual void Exposed() {}
};

class TLoopWindow : public IWindow {
 public:
  TLoopWindow(const TLoopWindow&) = delete;
  TLoopWindow& operator=(const TLoopWindow&) = delete;

  TWindowHandle Handle() const override { return handle_; }
  void Show() override;
  void Hide() override;
  // Posted: the close query runs from the loop.
  void Close() override;
  bool Exists() const override { return exists_; }

  bool Visible() const { return exists_ && visible_; }
  // The window's place and size; the client area has the same size.
  virtual TRect Rect() const = 0;

  // Called by the desktop's loop.
  void Turn() {
    if (content_) content_->Turn();
  }
  void Exposed() {
    if (content_) content_->Exposed();
  }
  void Activate() {
    if (events_) events_->Activated();
  }
  void UserMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) {
    if (events_) events_->UserMessage(message, wparam, lparam);
  }
  // The close query and, when it agrees, the destruction.
  void CloseNow();
  // Destroys the window now (the events' Destroyed runs first). A backend's window
  // calls it in its destructor.
  void Destroy();

 protected:
  TLoopWindow(TLoopDesktop& desktop, IWindowEvents* events, ILoopContent* content)
      : desktop_(desktop), events_(events), content_(content) {}
  // The window exists under this handle from now on, known to the desktop.
  void Opened(TWindowHandle handle);
  // The backend shows, hides or lets go of the real window.
  virtual void Showing() {}
  virtual void Hiding() {}
  virtual void Released() {}

  TLoopDesktop& desktop_;
  IWindowEvents* events_;

 private:
  ILoopContent* content_;
  TWindowHandle handle_ = 0;
  bool exists_ = false;
  bool visible_ = false;
};

// A top-level window with nothing inside but what its device contexts draw; any key
// or button asks it to close. window is the backend's, a member of the derived class.
class TLoopTopWindow : public IWindow {
 public:
  TWindowHandle Handle() const override { return window_.Handle(); }
  void Show() override { window_.Show(); }
  void Hide() override { window_.Hide(); }
  void Close() override { window_.Close(); }
  bool Exists() const override { return window_.Exists(); }

 protected:
  explicit TLoopTopWindow(TLoopWindow& window) : window_(window) {}
  template <class TInput>
  void CloseOnPress(const TInput& input) {
    if (input.kind == TInput::TKind::Key || input.kind == TInput::TKind::Button) window_.Close();
  }

 private:
  TLoopWindow& window_;
};

}  // namespace scr::platform
