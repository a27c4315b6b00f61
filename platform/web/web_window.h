#pragma once
// One of the program's own windows in the page. All of them stand on the one stage;
// the one shown last is on top and takes the input. Its content decides what it shows.
#include <memory>

#include "platform/loop_window.h"
#include "platform/web/web_desktop.h"
#include "platform/windowing.h"

namespace scr::platform::web {

// What a window holds: it takes the window's input and is painted from the loop.
class IWebContent : public ILoopContent {
 public:
  virtual void Input(const TWebInput& input) {}
};

class TWebWindow : public TLoopWindow {
 public:
  TWebWindow(TWebDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events, IWebContent* content);
  ~TWebWindow() override { Destroy(); }

  TRect Rect() const override { return rect_; }

  // Called by the desktop's loop.
  void Deliver(const TWebInput& input) {
    if (content_) content_->Input(input);
  }

 private:
  // Shown it comes on top; hidden, the one below comes to light.
  void Showing() override { stage_.Raise(*this); }
  void Hiding() override { stage_.Raise(*this); }

  TWebDesktop& stage_;
  IWebContent* content_;
  TRect rect_;
};

}  // namespace scr::platform::web
