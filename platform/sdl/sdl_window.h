#pragma once
// One of the player's own windows on SDL, made for the desktop's stage: a full-screen
// window, an ordinary window, or the foreign X11 window taken over for hack mode (never
// destroyed by us). Its content is a bitmap shown through a presenter. What it is told
// (input, uncovering, each loop turn) goes to its owner's content.
#include <SDL.h>

#include <memory>

#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_present.h"
#include "platform/windowing.h"

namespace scr::platform::sdl {

// What a window holds: it takes the window's input and is painted from the loop.
class ISdlContent {
 public:
  virtual ~ISdlContent() = default;
  virtual void Input(const TSdlInput& input) {}
  // Every turn of the loop, before the idle handler.
  virtual void Turn() {}
  // The window was uncovered.
  virtual void Exposed() {}
  // The window's client area changed its size.
  virtual void Resized(int width, int height) {}
};

class TSdlWindow : public IWindow {
 public:
  // Raises Exception with SDL's text when the window cannot be made.
  TSdlWindow(TSdlDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events, ISdlContent* content);
  ~TSdlWindow() override;

  TWindowHandle Handle() const override { return handle_; }
  void Show() override;
  void Hide() override;
  // Posted: the close query runs from the loop.
  void Close() override;
  bool Exists() const override { return window_ != nullptr; }

  bool Visible() const { return window_ && visible_; }
  TRect Rect() const;
  // The client area's size.
  int Width() const;
  int Height() const;
  TSdlPresenter& Presenter() { return *presenter_; }
  SDL_Window* Sdl() { return window_; }
  bool Foreign() const { return foreign_; }

  // Called by the desktop's loop.
  void Deliver(const TSdlInput& input);
  void Turn();
  void Activate();
  void UserMessage(uint32_t message, uintptr_t wparam, intptr_t lparam);
  void DisplayChanged();
  // The close query and, when it agrees, the destruction.
  void CloseNow();
  // Destroys the window now (the events' Destroyed runs first).
  void Destroy();

 private:
  TSdlDesktop& desktop_;
  IWindowEvents* events_;
  ISdlContent* content_;
  SDL_Window* window_ = nullptr;
  TWindowHandle handle_ = 0;
  bool foreign_ = false;
  bool visible_ = false;
  std::unique_ptr<TSdlPresenter> presenter_;
};

}  // namespace scr::platform::sdl
