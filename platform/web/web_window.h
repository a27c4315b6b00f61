#pragma once
// One of the program's own windows in the page. All of them stand on the one stage;
// the one shown last is on top and takes the input. Its content decides what it shows.
#include <memory>

#include "platform/web/web_desktop.h"
#include "platform/windowing.h"

namespace scr::platform::web {

// What a window holds: it takes the window's input and is painted from the loop.
class IWebContent {
 public:
  virtual ~IWebContent() = default;
  virtual void Input(const TWebInput& input) {}
  // Every turn of the loop, before the idle handler.
  virtual void Turn() {}
  // The window came on top again: everything shows anew.
  virtual void Exposed() {}
};

class TWebWindow : public IWindow {
 public:
  TWebWindow(TWebDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events, IWebContent* content);
  ~TWebWindow() override;

  TWindowHandle Handle() const override { return handle_; }
  void Show() override;
  void Hide() override;
  // Posted: the close query runs from the loop.
  void Close() override;
  bool Exists() const override { return exists_; }

  bool Visible() const { return exists_ && visible_; }
  TRect Rect() const { return rect_; }

  // Called by the desktop's loop.
  void Deliver(const TWebInput& input) {
    if (content_) content_->Input(input);
  }
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
  // Destroys the window now (the events' Destroyed runs first).
  void Destroy();

 private:
  TWebDesktop& desktop_;
  IWindowEvents* events_;
  IWebContent* content_;
  TWindowHandle handle_;
  TRect rect_;
  bool exists_ = true;
  bool visible_ = false;
};

}  // namespace scr::platform::web
