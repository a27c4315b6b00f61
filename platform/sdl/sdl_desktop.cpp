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
      for (const auto& [handle, window] : WindowsNow())
        if (const auto* w = static_cast<const TSdlWindow*>(window); w->Foreign()) return TRect{0, 0, w->Width(), w->Height()};
      return TRect{0, 0, stage_.width, stage_.height};
    case TSdlStage::TKind::FullScreen: return SdlMonitors().front().bounds;
  }
  return TRect{};
}

namespace {

// Uncovered, it shows again what it showed.
class TSdlTopWindow : public TLoopTopWindow, private ISdlContent {
 public:
  TSdlTopWindow(TSdlDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events)
      : TLoopTopWindow(sdlWindow_), sdlWindow_(desktop, desc, events, this) {}

 private:
  void Input(const TSdlInput& input) override { CloseOnPress(input); }
  void Exposed() override { sdlWindow_.Presenter().Refresh(); }

  TSdlWindow sdlWindow_;
};

}  // namespace

std::unique_ptr<IWindow> TSdlDesktop::CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) {
  return std::make_unique<TSdlTopWindow>(*this, desc, events);
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

TSdlWindow* TSdlDesktop::Find(TWindowHandle handle) { return static_cast<TSdlWindow*>(TLoopDesktop::Find(handle)); }

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
    for (const auto& [handle, w] : WindowsNow())
      if (TSdlWindow* still = Find(handle)) Guarded([still] { still->DisplayChanged(); });
    return;
  }
  const TSdlInput input = TranslateEvent(event);
  switch (input.kind) {
    case TSdlInput::TKind::None: return;
    case TSdlInput::TKind::Quit:
      // Hidden windows also end the waits that last while a window shows (preview).
      EndSession();
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

void TSdlDesktop::DispatchInput() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) Dispatch(event);
}

void TSdlDesktop::WaitForInput(uint32_t ms) {
  if (ms > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
}

}  // namespace scr::platform::sdl
