#include "platform/web/web_desktop.h"

#include <algorithm>

#include "common/stretch.h"
#include "platform/web/web_bridge.h"
#include "platform/web/web_present.h"
#include "platform/web/web_window.h"

namespace scr::platform::web {

namespace {

TWebDesktop* current = nullptr;

// The device context of one of the own windows: what is drawn lands on a copy of the
// stage that is presented at once.
class TWebDeviceContext : public IDeviceContext {
 public:
  explicit TWebDeviceContext(TWebDesktop& desktop) : desktop_(desktop) {}
  void DrawBitmap(const TBitmap24& bitmap, const TRect& dest) override {
    const TRect stage = desktop_.ScreenRect();
    if (surface_.Width() != stage.Width() || surface_.Height() != stage.Height())
      surface_.SetSize(stage.Width(), stage.Height(), 0);
    StretchCopy(surface_, dest, bitmap, bitmap.Bounds());
    presenter_.Present(surface_, dest);
  }

 private:
  TWebDesktop& desktop_;
  TBitmap24 surface_;
  TWebPresenter presenter_;
};

class TWebTopWindow : public TLoopTopWindow, private IWebContent {
 public:
  TWebTopWindow(TWebDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events)
      : TLoopTopWindow(pageWindow_), pageWindow_(desktop, desc, events, this) {}

 private:
  void Input(const TWebInput& input) override { CloseOnPress(input); }

  TWebWindow pageWindow_;
};

}  // namespace

TWebDesktop::TWebDesktop(int stageWidth, int stageHeight)
    : width_(std::max(1, stageWidth)), height_(std::max(1, stageHeight)), previous_(current) {
  current = this;
}

TWebDesktop::~TWebDesktop() {
  if (current == this) current = previous_;
}

TWebDesktop* TWebDesktop::Current() { return current; }

double TWebDesktop::Now() const { return JsNow(); }

std::unique_ptr<IDeviceContext> TWebDesktop::WindowDC(TWindowHandle window) {
  if (!Find(window)) return nullptr;
  return std::make_unique<TWebDeviceContext>(*this);
}

std::unique_ptr<IWindow> TWebDesktop::CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) {
  return std::make_unique<TWebTopWindow>(*this, desc, events);
}

void TWebDesktop::ShowException(const std::string& message) { JsMessage("Error", message); }

void TWebDesktop::Unregister(TLoopWindow& window) {
  TLoopDesktop::Unregister(window);
  std::erase(zOrder_, window.Handle());
}

TWebWindow* TWebDesktop::Find(TWindowHandle handle) { return static_cast<TWebWindow*>(TLoopDesktop::Find(handle)); }

void TWebDesktop::Raise(TWebWindow& window) {
  std::erase(zOrder_, window.Handle());
  if (window.Visible()) {
    zOrder_.push_back(window.Handle());
  } else if (!zOrder_.empty()) {
    // The window below comes to light again.
    if (TWebWindow* below = Find(zOrder_.back())) below->Exposed();
  }
}

void TWebDesktop::DispatchInput() {
  if (quitAsked_) {
    quitAsked_ = false;
    EndSession();
    inputs_.clear();
    return;
  }
  while (!inputs_.empty()) {
    const TWebInput input = inputs_.front();
    inputs_.pop_front();
    if (zOrder_.empty()) continue;
    if (TWebWindow* w = Find(zOrder_.back())) Guarded([&] { w->Deliver(input); });
  }
}

void TWebDesktop::WaitForInput(uint32_t ms) { JsWait(ms); }

}  // namespace scr::platform::web
