#include "platform/sdl/sdl_desktop.h"

#include "platform/sdl/sdl_displays.h"

#include <algorithm>
#include <cstdio>

#include "common/stretch.h"
#include "platform/sdl/sdl_services.h"
#include "platform/sdl/sdl_window.h"

namespace scr::platform::sdl {

namespace {

// Codes of the loop's own thread events.
constexpr int32_t kWakeCode = 0;

// The device context of one of the own windows: what is drawn lands on a copy of the
// client area that is presented at once.
class TSdlDeviceContext : public IDeviceContext {
 public:
  TSdlDeviceContext(TSdlDesktop& desktop, TWindowHandle window) : desktop_(desktop), window_(window) {}
  void DrawBitmap(const TBitmap24& bitmap, const TRect& dest) override {
    TSdlWindow* w = desktop_.Find(window_);
    if (!w) return;
    if (surface_.Width() != w->Width() || surface_.Height() != w->Height()) surface_.SetSize(w->Width(), w->Height(), 0);
    StretchCopy(surface_, dest, bitmap, bitmap.Bounds());
    w->Presenter().Present(surface_, dest);
  }

 private:
  TSdlDesktop& desktop_;
  TWindowHandle window_;
  TBitmap24 surface_;
};

}  // namespace

TSdlDesktop::TSdlDesktop(TSdlStage stage) : stage_(stage), threadEvent_(SDL_RegisterEvents(1)) {}

TSdlDesktop::~TSdlDesktop() = default;

bool TSdlDesktop::IsVisible(TWindowHandle window) {
  const TSdlWindow* w = Find(window);
  return w && w->Visible();
}

std::optional<TRect> TSdlDesktop::WindowRect(TWindowHandle window) {
  if (const TSdlWindow* w = Find(window)) return w->Rect();
  return std::nullopt;
}

std::optional<TRect> TSdlDesktop::ClientRect(TWindowHandle window) {
  if (const TSdlWindow* w = Find(window)) return TRect{0, 0, w->Width(), w->Height()};
  return std::nullopt;
}

std::unique_ptr<IDeviceContext> TSdlDesktop::WindowDC(TWindowHandle window) {
  if (!Find(window)) return nullptr;
  return std::make_unique<TSdlDeviceContext>(*this, window);
}

std::vector<TMonitor> TSdlDesktop::Monitors() {
  if (stage_.kind == TSdlStage::TKind::FullScreen) return SdlMonitors();
  return {TMonitor{ScreenRect(), true}};
}

TRect TSdlDesktop::ScreenRect() {
  switch (stage_.kind) {
    case TSdlStage::TKind::Window: return TRect{0, 0, stage_.width, stage_.height};
    case TSdlStage::TKind::Foreign:
      // The foreign window's size, once it has been taken over.
      for (const auto& [h, w] : windows_)
        if (w->Foreign()) return TRect{0, 0, w->Width(), w->Height()};
      return TRect{0, 0, stage_.width, stage_.height};
    case TSdlStage::TKind::FullScreen: return SdlMonitors().front().bounds;
  }
  return TRect{};
}

namespace {

// A top-level window with nothing inside but what its device contexts draw; any key
// or button asks it to close.
class TSdlTopWindow : public IWindow, private ISdlContent {
 public:
  TSdlTopWindow(TSdlDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events)
      : window_(desktop, desc, events, this) {}
  TWindowHandle Handle() const override { return window_.Handle(); }
  void Show() override { window_.Show(); }
  void Hide() override { window_.Hide(); }
  void Close() override { window_.Close(); }
  bool Exists() const override { return window_.Exists(); }

 private:
  void Input(const TSdlInput& input) override {
    if (input.kind == TSdlInput::TKind::Key || input.kind == TSdlInput::TKind::Button) window_.Close();
  }
  void Exposed() override { window_.Presenter().Refresh(); }

  TSdlWindow window_;
};

}  // namespace

std::unique_ptr<IWindow> TSdlDesktop::CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) {
  return std::make_unique<TSdlTopWindow>(*this, desc, events);
}

bool TSdlDesktop::PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (!Find(window)) return false;
  Post([this, window, message, wparam, lparam] {
    if (TSdlWindow* w = Find(window)) w->UserMessage(message, wparam, lparam);
  });
  return true;
}

void TSdlDesktop::ShowException(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  if (stage_.kind == TSdlStage::TKind::Foreign) return;
  const SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                    0, "OK"};
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_ERROR, nullptr, "Error", message.c_str(), 1, &ok, nullptr};
  int answer = 0;
  SdlShowMessageBox(box, &answer);
}

void TSdlDesktop::RequestQuit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}

void TSdlDesktop::Wake() { PostFromThread(kWakeCode, 0); }

void TSdlDesktop::PostFromThread(int32_t code, intptr_t value) {
  SDL_Event e{};
  e.type = threadEvent_;
  e.user.code = code;
  e.user.data1 = reinterpret_cast<void*>(value);
  SDL_PushEvent(&e);
}

void TSdlDesktop::SetThreadEventHandler(int32_t code, std::function<void(intptr_t)> handler) {
  threadHandlers_[code] = std::move(handler);
}

template <class F>
void TSdlDesktop::Guarded(F&& fn) {
  // An error that escapes a handler ends that handler and is reported; the program
  // carries on.
  try {
    fn();
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

void TSdlDesktop::Register(TSdlWindow& window) { windows_[window.Handle()] = &window; }

void TSdlDesktop::Unregister(TSdlWindow& window) { windows_.erase(window.Handle()); }

TSdlWindow* TSdlDesktop::Find(TWindowHandle handle) {
  const auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second;
}

void TSdlDesktop::RemoveTimer(TSdlTimerSlot& timer) { std::erase(timers_, &timer); }

void TSdlDesktop::Dispatch(const SDL_Event& event) {
  if (threadEvent_ != static_cast<uint32_t>(-1) && event.type == threadEvent_) {
    const auto it = threadHandlers_.find(event.user.code);
    if (it != threadHandlers_.end() && it->second) {
      const std::function<void(intptr_t)> handler = it->second;
      Guarded([&] { handler(reinterpret_cast<intptr_t>(event.user.data1)); });
    }
    return;  // a wake-up only has to end the wait: the turn serves the workers
  }
  if (IsDisplayChange(event)) {
    for (const auto& entry : std::map<TWindowHandle, TSdlWindow*>(windows_)) {
      TSdlWindow* w = entry.second;
      if (Find(entry.first)) Guarded([&] { w->DisplayChanged(); });
    }
    return;
  }
  const TSdlInput input = TranslateEvent(event);
  switch (input.kind) {
    case TSdlInput::TKind::None: return;
    case TSdlInput::TKind::Quit:
      // Hidden windows also end the waits that last while a window shows (preview).
      terminated_ = true;
      for (auto& [h, w] : std::map<TWindowHandle, TSdlWindow*>(windows_)) w->Hide();
      return;
    case TSdlInput::TKind::Key:
    case TSdlInput::TKind::Move:
    case TSdlInput::TKind::Button:
      // In hack mode the input belongs to the screen saver daemon.
      if (InputIgnored()) return;
      break;
    default: break;
  }
  if (TSdlWindow* w = Find(input.window)) Guarded([&] { w->Deliver(input); });
}

void TSdlDesktop::RunDueTimers() {
  const uint64_t now = Now();
  for (TSdlTimerSlot* t : std::vector<TSdlTimerSlot*>(timers_)) {
    // A timer removed by an earlier one's handler is not fired.
    if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
    const std::optional<uint64_t> due = t->Due();
    if (due && *due <= now) Guarded([&] { t->Fire(now); });
  }
}

uint32_t TSdlDesktop::TimeToNextTimer(uint32_t cap) const {
  const uint64_t now = Now();
  uint64_t wait = cap;
  for (const TSdlTimerSlot* t : timers_)
    if (const std::optional<uint64_t> due = t->Due()) wait = std::min<uint64_t>(wait, *due > now ? *due - now : 0);
  return static_cast<uint32_t>(wait);
}

void TSdlDesktop::ProcessMessages() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) Dispatch(event);
  // Only what was posted before this call runs now: a closure that posts again waits
  // for the next turn.
  for (size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
    std::function<void()> fn = std::move(posted_.front());
    posted_.pop_front();
    Guarded(fn);
  }
  RunDueTimers();
  for (const auto& entry : std::map<TWindowHandle, TSdlWindow*>(windows_)) {
    TSdlWindow* w = entry.second;
    if (Find(entry.first) == w) Guarded([w] { w->Turn(); });
  }
}

void TSdlDesktop::WaitForMessages(uint32_t timeoutMs) {
  if (!posted_.empty() || terminated_) return;
  const uint32_t wait = TimeToNextTimer(timeoutMs);
  if (wait > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
}

void TSdlDesktop::Run(IWindow& mainWindow) {
  // The loop waits at most this long without a reason; everything it waits for
  // (events, wake-ups, timers) ends the wait sooner.
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

}  // namespace scr::platform::sdl
