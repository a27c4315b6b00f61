#include "platform/headless/headless_desktop.h"

#include <algorithm>
#include <cstdio>

#include "common/stretch.h"
#include "platform/handler_guard.h"

namespace scr::platform::headless {

namespace {

constexpr uint32_t kActivate = 0x0006;
constexpr uint32_t kClose = 0x0010;
constexpr uint32_t kDisplayChange = 0x007E;
constexpr uint32_t kFirstUserMessage = 0x0400;
// Visibility tests at one instant of virtual time beyond which the program is taken
// to be spinning.
constexpr uint64_t kBusyTests = 100000;

std::string HandleText(TWindowHandle h) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(h));
  return buf;
}

std::string RectText(const TRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class THeadlessDC : public IDeviceContext {
 public:
  THeadlessDC(TWindowHandle h, THeadlessDesktop& desktop, TCallLog& log) : h_(h), desktop_(desktop), log_(log) {}
  ~THeadlessDC() override { log_.Add("ReleaseDC " + HandleText(h_)); }
  void DrawBitmap(const TBitmap24& bitmap, const TRect& dest) override {
    log_.Add("DrawBitmap " + HandleText(h_) + " " + RectText(dest) + " " + std::to_string(bitmap.Width()) + "x" +
             std::to_string(bitmap.Height()));
    if (TForeignWindow* w = desktop_.Foreign(h_))
      StretchCopy(w->surface, dest, bitmap, bitmap.Bounds());
  }

 private:
  TWindowHandle h_;
  THeadlessDesktop& desktop_;
  TCallLog& log_;
};

class THeadlessWindow : public IWindow {
 public:
  THeadlessWindow(TWindowHandle h, THeadlessDesktop& desktop) : h_(h), desktop_(desktop) {}
  ~THeadlessWindow() override {
    if (desktop_.OwnExists(h_)) desktop_.DestroyOwn(h_);
  }
  TWindowHandle Handle() const override { return h_; }
  void Show() override { desktop_.ShowOwn(h_, true); }
  void Hide() override { desktop_.ShowOwn(h_, false); }
  void Close() override { desktop_.CloseOwn(h_); }
  bool Exists() const override { return desktop_.OwnExists(h_); }

 private:
  TWindowHandle h_;
  THeadlessDesktop& desktop_;
};

}  // namespace

THeadlessDesktop::~THeadlessDesktop() {
  if (initialized_) log_.Add("CoUninitialize");
}

TForeignWindow& THeadlessDesktop::AddForeignWindow(TWindowHandle handle, TRect rect, bool visible, uint32_t fill) {
  TForeignWindow& w = foreign_[handle];
  w.rect = rect;
  w.visible = visible;
  w.surface.SetSize(std::max(0, rect.Width()), std::max(0, rect.Height()), fill);
  return w;
}

TForeignWindow* THeadlessDesktop::Foreign(TWindowHandle handle) {
  const auto it = foreign_.find(handle);
  return it == foreign_.end() ? nullptr : &it->second;
}

void THeadlessDesktop::SetVisible(TWindowHandle handle, bool visible) {
  if (TForeignWindow* w = Foreign(handle)) w->visible = visible;
  if (const auto it = own_.find(handle); it != own_.end()) it->second.visible = visible;
}

void THeadlessDesktop::At(uint64_t tick, std::function<void()> action) { timeline_.emplace(tick, std::move(action)); }

void THeadlessDesktop::RunDue() {
  while (!timeline_.empty() && timeline_.begin()->first <= tick_) {
    auto action = std::move(timeline_.begin()->second);
    timeline_.erase(timeline_.begin());
    action();
  }
}

void THeadlessDesktop::Advance(uint64_t ms) {
  const uint64_t target = tick_ + ms;
  // Actions run at their own instant, in order, so one may schedule another.
  while (!timeline_.empty() && timeline_.begin()->first <= target) {
    tick_ = std::max(tick_, timeline_.begin()->first);
    RunDue();
  }
  tick_ = target;
  if (tick_ > timeLimit_) {
    log_.Add("Stall: virtual time limit");
    throw EHeadlessStall("headless: virtual time ran past its limit");
  }
}

void THeadlessDesktop::CheckBusy() {
  if (tick_ != lastTestTick_) {
    lastTestTick_ = tick_;
    testsAtThisTick_ = 0;
  }
  if (++testsAtThisTick_ > kBusyTests) {
    log_.Add("Stall: busy wait");
    throw EHeadlessStall("headless: visibility tested over and over without waiting");
  }
}

bool THeadlessDesktop::IsVisible(TWindowHandle window) {
  log_.Add("IsWindowVisible " + HandleText(window));
  CheckBusy();
  if (const TForeignWindow* w = Foreign(window)) return w->visible;
  if (const auto it = own_.find(window); it != own_.end()) return it->second.visible;
  return false;
}

std::optional<TRect> THeadlessDesktop::WindowRect(TWindowHandle window) {
  log_.Add("GetWindowRect " + HandleText(window));
  if (const TForeignWindow* w = Foreign(window)) return w->rect;
  if (const auto it = own_.find(window); it != own_.end()) return it->second.desc.bounds;
  return std::nullopt;
}

std::optional<TRect> THeadlessDesktop::ClientRect(TWindowHandle window) {
  if (const TForeignWindow* w = Foreign(window)) return TRect{0, 0, w->rect.Width(), w->rect.Height()};
  if (const auto it = own_.find(window); it != own_.end())
    return TRect{0, 0, it->second.desc.bounds.Width(), it->second.desc.bounds.Height()};
  return std::nullopt;
}

std::unique_ptr<IDeviceContext> THeadlessDesktop::WindowDC(TWindowHandle window) {
  if (!Foreign(window) && !own_.count(window)) {
    log_.Add("GetDC " + HandleText(window) + " failed");
    return nullptr;
  }
  log_.Add("GetDC " + HandleText(window));
  return std::make_unique<THeadlessDC>(window, *this, log_);
}

std::unique_ptr<IWindow> THeadlessDesktop::CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) {
  const TWindowHandle h = nextOwn_++;
  own_[h] = TOwnWindow{desc, events, false};
  log_.Add("CreateWindow " + HandleText(h) + " \"" + desc.caption + "\" " + RectText(desc.bounds));
  return std::make_unique<THeadlessWindow>(h, *this);
}

bool THeadlessDesktop::PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (!own_.count(window)) return false;
  queue_.push_back(TMessage{window, message, wparam, lparam});
  return true;
}

std::vector<TWindowHandle> THeadlessDesktop::OwnWindows() const {
  std::vector<TWindowHandle> out;
  for (const auto& [h, w] : own_) out.push_back(h);
  return out;
}

bool THeadlessDesktop::OwnWindowVisible(TWindowHandle handle) const {
  const auto it = own_.find(handle);
  return it != own_.end() && it->second.visible;
}

void THeadlessDesktop::ShowOwn(TWindowHandle h, bool show) {
  const auto it = own_.find(h);
  if (it == own_.end() || it->second.visible == show) return;
  it->second.visible = show;
  log_.Add(std::string(show ? "ShowWindow " : "HideWindow ") + HandleText(h));
  // Showing a top-level window makes it the active one.
  if (show) queue_.push_back(TMessage{h, kActivate, 1, 0});
}

void THeadlessDesktop::CloseOwn(TWindowHandle h) {
  if (own_.count(h)) queue_.push_back(TMessage{h, kClose, 0, 0});
}

void THeadlessDesktop::DestroyOwn(TWindowHandle h) {
  const auto it = own_.find(h);
  if (it == own_.end()) return;
  IWindowEvents* events = it->second.events;
  own_.erase(it);
  handlers_.erase(h);
  log_.Add("DestroyWindow " + HandleText(h));
  if (events) events->Destroyed();
  std::erase_if(queue_, [h](const TMessage& m) { return m.window == h; });
}

void THeadlessDesktop::Dispatch(const TMessage& m) {
  const auto it = own_.find(m.window);
  if (it == own_.end()) return;
  IWindowEvents* events = it->second.events;
  // A stall of the fake world is no error of a handler and goes on up.
  GuardHandler<EHeadlessStall>([&] { DispatchTo(events, m); }, [this](const char* what) { ShowException(what); });
}

void THeadlessDesktop::DispatchTo(IWindowEvents* events, const TMessage& m) {
  if (m.message == kActivate) {
    if (events) events->Activated();
  } else if (m.message == kClose) {
    if (!events || events->CloseQuery()) DestroyOwn(m.window);
  } else if (m.message == kDisplayChange) {
    if (events) events->DisplayChanged();
  } else if (m.message >= kFirstUserMessage && events) {
    events->UserMessage(m.message, m.wparam, m.lparam);
  } else if (const auto h = handlers_.find(m.window); h != handlers_.end() && h->second) {
    // A copy: the handler may replace or remove itself.
    const TMessageHandler handler = h->second;
    handler(m.message, m.wparam, m.lparam);
  }
}

void THeadlessDesktop::SetOwnBounds(TWindowHandle h, const TRect& bounds) {
  if (const auto it = own_.find(h); it != own_.end()) it->second.desc.bounds = bounds;
}

void THeadlessDesktop::SetMessageHandler(TWindowHandle h, TMessageHandler handler) {
  if (handler)
    handlers_[h] = std::move(handler);
  else
    handlers_.erase(h);
}

void THeadlessDesktop::Initialize() {
  initialized_ = true;
  log_.Add("CoInitialize");
}

void THeadlessDesktop::ProcessMessages() {
  log_.Add("ProcessMessages");
  RunDue();
  for (size_t n = queue_.size(); n > 0 && !queue_.empty(); --n) {
    const TMessage m = queue_.front();
    queue_.pop_front();
    Dispatch(m);
  }
}

void THeadlessDesktop::WaitForMessages(uint32_t timeoutMs) {
  log_.Add("WaitForMessages " + std::to_string(timeoutMs));
  if (!queue_.empty()) return;
  Advance(timeoutMs);
}

void THeadlessDesktop::Run(IWindow& mainWindow) {
  log_.Add("MessageLoop");
  terminated_ = false;
  while (!terminated_ && OwnExists(mainWindow.Handle())) {
    if (!queue_.empty()) {
      const TMessage m = queue_.front();
      queue_.pop_front();
      Dispatch(m);
      continue;
    }
    if (idle_) {
      if (idleTick_ != tick_) {
        idleTick_ = tick_;
        idleTurns_ = 0;
      }
      if (++idleTurns_ > kBusyTests) {
        log_.Add("Stall: busy idle handler");
        throw EHeadlessStall("headless: the idle handler keeps the message loop busy");
      }
      // A copy: the handler may replace or remove itself.
      const std::function<void()> idle = idle_;
      GuardHandler<EHeadlessStall>(idle, [this](const char* what) { ShowException(what); });
      if (!queue_.empty() || !OwnExists(mainWindow.Handle()) || terminated_) continue;
    }
    if (!timeline_.empty()) {
      // Nothing to do until the next scheduled event: virtual time jumps there.
      Advance(timeline_.begin()->first > tick_ ? timeline_.begin()->first - tick_ : 0);
      continue;
    }
    // A real loop would block for ever here; the headless one ends instead.
    log_.Add("MessageLoop idle");
    break;
  }
  terminated_ = false;
  log_.Add("MessageLoop end");
}

std::vector<TMonitor> THeadlessDesktop::Monitors() {
  if (monitors_.empty()) return {TMonitor{screen_, true}};
  return monitors_;
}

void THeadlessDesktop::SetMonitors(std::vector<TMonitor> monitors) {
  monitors_ = std::move(monitors);
  for (const TMonitor& m : monitors_)
    if (m.primary) screen_ = m.bounds;
  // Like the system, every top-level window of the program hears of the change.
  for (const auto& [handle, window] : own_) PostMessageTo(handle, kDisplayChange, 24, 0);
}

}  // namespace scr::platform::headless
