#include "platform/sdl/sdl_window.h"

#include "common/errors.h"
#include "platform/sdl/sdl_displays.h"
#include "platform/sdl/sdl_x11_root.h"

namespace scr::platform::sdl {

TSdlWindow::TSdlWindow(TSdlDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events, ISdlContent* content)
    : TLoopWindow(desktop, events, content), content_(content) {
  const TSdlStage& stage = desktop.Stage();
  switch (stage.kind) {
    case TSdlStage::TKind::Foreign:
      // Window id 0 stands for the root window.
      window_ = SDL_CreateWindowFrom(reinterpret_cast<const void*>(stage.foreign ? stage.foreign : X11RootWindow()));
      foreign_ = true;
      // SDL asks for no events of a window it did not make: uncovering and size
      // changes are asked for here, so the frame is repainted and follows the size.
      if (window_) X11WatchWindow(window_);
      break;
    case TSdlStage::TKind::Window:
      window_ = SDL_CreateWindow(desc.caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, stage.width,
                                 stage.height, SDL_WINDOW_HIDDEN);
      break;
    case TSdlStage::TKind::FullScreen: {
      // On the display the bounds lie on: the primary for the saver window, another
      // for a cover or a show of the other displays.
      const SDL_Rect place = SdlDisplayFor(desc.bounds);
      window_ = SDL_CreateWindow(desc.caption.c_str(), place.x, place.y, place.w, place.h,
                                 SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
      break;
    }
  }
  if (!window_) throw Exception(SDL_GetError());
  try {
    presenter_ = std::make_unique<TSdlPresenter>(window_);
  } catch (...) {
    if (!foreign_) SDL_DestroyWindow(window_);
    window_ = nullptr;
    throw;
  }
  Opened(SDL_GetWindowID(window_));
}

void TSdlWindow::Showing() {
  if (foreign_) return;
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

void TSdlWindow::Hiding() {
  if (!foreign_) SDL_HideWindow(window_);
}

TRect TSdlWindow::Rect() const {
  int x = 0, y = 0;
  if (window_ && !foreign_) SDL_GetWindowPosition(window_, &x, &y);
  return TRect{x, y, x + Width(), y + Height()};
}

int TSdlWindow::Width() const {
  int w = 0, h = 0;
  if (window_) SDL_GetWindowSize(window_, &w, &h);
  return w;
}

int TSdlWindow::Height() const {
  int w = 0, h = 0;
  if (window_) SDL_GetWindowSize(window_, &w, &h);
  return h;
}

void TSdlWindow::Deliver(const TSdlInput& input) {
  switch (input.kind) {
    case TSdlInput::TKind::Close: CloseNow(); break;
    case TSdlInput::TKind::Exposed: Exposed(); break;
    case TSdlInput::TKind::Resized:
      presenter_->WindowResized();
      if (content_) content_->Resized(input.x, input.y);
      break;
    default:
      if (content_) content_->Input(input);
      break;
  }
}

void TSdlWindow::DisplayChanged() {
  if (events_) events_->DisplayChanged();
}

void TSdlWindow::Released() {
  presenter_.reset();
  SDL_DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace scr::platform::sdl
