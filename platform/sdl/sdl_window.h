#pragma once
// One of the player's own windows on SDL, made for the desktop's stage: a full-screen
// window, an ordinary window, or the foreign X11 window taken over for hack mode (never
// destroyed by us). Its content is a bitmap shown through a presenter. What it is told
// (input, uncovering, each loop turn) goes to its owner's content.
#include <SDL.h>

#include <memory>

#include "platform/loop_window.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_present.h"
#include "platform/windowing.h"

namespace scr::platform::sdl {

// What a window holds: it takes the window's input and is painted from the loop.
class ISdlContent : public ILoopContent {
 public:
  virtual void Input(const TSdlInput& input) {}
  // The window's client area changed its size.
  virtual void Resized(int width, int height) {}
};

class TSdlWindow : public TLoopWindow {
 public:
  // Raises Exception with SDL's text when the window cannot be made.
  TSdlWindow(TSdlDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events, ISdlContent* content);
  ~TSdlWindow() override { Destroy(); }

  TRect Rect() const override;
  // The client area's size.
  int Width() const;
  int Height() const;
  TSdlPresenter& Presenter() { return *presenter_; }
  SDL_Window* Sdl() { return window_; }
  bool Foreign() const { return foreign_; }

  // Called by the desktop's loop.
  void Deliver(const TSdlInput& input);
  void DisplayChanged();

 private:
  void Showing() override;
  void Hiding() override;
  // A foreign window belongs to whoever made it: it is only let go of.
  void Released() override;

  ISdlContent* content_;
  SDL_Window* window_ = nullptr;
  bool foreign_ = false;
  std::unique_ptr<TSdlPresenter> presenter_;
};

}  // namespace scr::platform::sdl
