#include "platform/web/web_desktop.h"

#include <algorithm>

#include "common/ansi_text.h"
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

// A top-level window with nothing inside but what its device contexts draw; any key
// or button asks it to close.
class TWebTopWindow : public IWindow, private IWebContent {
 public:
  TWebTopWindow(TWebDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events)
      : window_(desktop, desc, events, this) {}
  TWindowHandle Handle() const override { return window_.Handle(); }
  void Show() override { window_.Show(); }
  void Hide() override { window_.Hide(); }
  void Close() override { window_.Close(); }
  bool Exists() const override { return window_.Exists(); }

 private:
  void Input(const TWebInput& input) override {
    if (input.kind == TWebInput::TKind::Key || input.kind == TWebInput::TKind::Button) window_.Close();
  }

  TWebWindow window_;
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

bool TWebDesktop::IsVisible(TWindowHandle window) {
  const TWebWindow* w = Find(window);
  return w && w->Visible();
}

std::optional<TRect> TWebDesktop::WindowRect(TWindowHandle window) {
  if (const TWebWindow* w = Find(window)) return w->Rect();
  return std::nullopt;
}

std::optional<TRect> TWebDesktop::ClientRect(TWindowHandle window) {
  if (const TWebWindow* w = Find(window)) return TRect{0, 0, w->Rect().Width(), w->Rect().Height()};
  return std::nullopt;
}

std::unique_ptr<IDeviceContext> TWebDesktop::WindowDC(TWindowHandle window) {
  if (!Find(window)) return nullptr;
  return std::make_unique<TWebDeviceContext>(*this);
}

std::unique_ptr<IWindow> TWebDesktop::CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) {
  return std::make_unique<TWebTopWindow>(*this, desc, events);
}

bool TWebDesktop::PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (!Find(window)) return false;
  Post([this, window, message, wparam, lparam] {
    if (TWebWindow* w = Find(window)) w->UserMessage(message, wparam, lparam);
  });
  return true;
}

void TWebDesktop::ShowException(const std::string& message) { JsMessage("Error", AnsiToUtf8(message)); }

template <class F>
void TWebDesktop::Guarded(F&& fn) {
  // An error that escapes a handler ends that handler and is reported; the show
  // carries on.
  try {
    fn();
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

void TWebDesktop::Register(TWebWindow& window) { windows_[window.Handle()] = &window; }

void TWebDesktop::Unregister(TWebWindow& window) {
  windows_.erase(window.Handle());
  std::erase(zOrder_, window.Handle());
}

TWebWindow* TWebDesktop::Find(TWindowHandle handle) {
  const auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second;
}

void TWebDesktop::Raise(TWebWindow& window) {
  std::erase(zOrder_, window.Handle());
  if (window.Visible()) {
    zOrder_.push_back(window.Handle());
  } else if (!zOrder_.empty()) {
    // The window below comes to light again.
    if (TWebWindow* below = Find(zOrder_.back())) below->Exposed();
  }
}

void TWebDesktop::RemoveTimer(TWebTimerSlot& timer) { std::erase(timers_, &timer); }

void TWebDesktop::DispatchInput() {
  if (quitAsked_) {
    quitAsked_ = false;
    terminated_ = true;
    // Hidden windows also end the waits that last while a window shows.
    for (auto& [h, w] : std::map<TWindowHandle, TWebWindow*>(windows_)) w->Hide();
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

void TWebDesktop::RunDueTimers() {
  const double now = Now();
  for (TWebTimerSlot* t : std::vector<TWebTimerSlot*>(timers_)) {
    // A timer removed by an earlier one's handler is not fired.
    if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
    const std::optional<double> due = t->Due();
    if (due && *due <= now) Guarded([&] { t->Fire(now); });
  }
}

uint32_t TWebDesktop::TimeToNextTimer(uint32_t cap) const {
  const double now = Now();
  double wait = cap;
  for (const TWebTimerSlot* t : timers_)
    if (const std::optional<double> due = t->Due()) wait = std::min(wait, *due > now ? *due - now : 0.0);
  return static_cast<uint32_t>(wait + 0.999);
}

void TWebDesktop::ProcessMessages() {
  DispatchInput();
  // Only what was posted before this call runs now: a closure that posts again waits
  // for the next turn.
  for (size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
    std::function<void()> fn = std::move(posted_.front());
    posted_.pop_front();
    Guarded(fn);
  }
  RunDueTimers();
  for (const auto& entry : std::map<TWindowHandle, TWebWindow*>(windows_)) {
    TWebWindow* w = entry.second;
    if (Find(entry.first) == w) Guarded([w] { w->Turn(); });
  }
}

void TWebDesktop::WaitForMessages(uint32_t timeoutMs) {
  if (!posted_.empty() || !inputs_.empty() || quitAsked_ || terminated_) return;
  // Even a wait of nothing gives the page its turn, so it can paint and take input.
  JsWait(TimeToNextTimer(timeoutMs));
}

void TWebDesktop::Run(IWindow& mainWindow) {
  // The loop waits at most this long without a reason; input, wake-ups and timers end
  // the wait sooner.
  constexpr uint32_t kLongestWaitMs = 1000;
  while (!terminated_ && mainWindow.Exists()) {
    ProcessMessages();
    if (terminated_ || !mainWindow.Exists()) break;
    if (posted_.empty()) {
      if (idle_) {
        const std::function<void()> idle = idle_;
        Guarded(idle);
      }
      WaitForMessages(kLongestWaitMs);
    }
  }
}

}  // namespace scr::platform::web
