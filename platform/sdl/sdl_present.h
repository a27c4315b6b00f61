#pragma once
// Presents finished 24-bit frames in a window with one copy of ours: the changed part
// is widened to 32-bit pixels straight into where SDL shows them from.
//   - When SDL's renderer for the window would draw on the processor (its software
//     renderer, asked for or the only one there is; or OpenGL on a software
//     rasteriser, unless SDL's hint named that driver), the window's own surface is
//     that place, and only the changed part is sent to the display: such a renderer
//     would first have copied a texture into a picture just like that surface.
//   - Otherwise (an accelerated renderer, chosen by SDL as it does by default) a
//     32-bit streaming texture is that place; the whole texture is then rendered.
// A frame of another size than the window is scaled to it.
#include <SDL.h>

#include "common/bitmap24.h"
#include "common/geometry.h"

namespace scr::platform::sdl {

class TSdlPresenter {
 public:
  // software: SDL's software renderer whatever SDL would choose (SDL's own hint
  // SDL_RENDER_DRIVER=software asks for it too). Raises Exception with SDL's text
  // when the window can show nothing.
  explicit TSdlPresenter(SDL_Window* window, bool software = false);
  ~TSdlPresenter();
  TSdlPresenter(const TSdlPresenter&) = delete;
  TSdlPresenter& operator=(const TSdlPresenter&) = delete;

  // Copies area of bitmap to the screen (all of it when anything was lost: the
  // frame's or the window's size changed).
  void Present(const TBitmap24& bitmap, const TRect& area);
  // Shows what was presented again (after the window was uncovered). False when
  // that is lost and the whole frame has to be presented anew.
  bool Refresh();
  // The window's size changed: the next Present sends the whole frame.
  void WindowResized() { lost_ = true; }
  // True on the window's own surface (the software path).
  bool OnSurface() const { return renderer_ == nullptr; }

 private:
  void PresentOnSurface(const TBitmap24& bitmap, TRect part);
  void PresentOnTexture(const TBitmap24& bitmap, TRect part);

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  // The frame widened for a window of another size or pixel format (surface path).
  SDL_Surface* staging_ = nullptr;
  int width_ = 0, height_ = 0;  // the last frame's size
  bool lost_ = true;
};

}  // namespace scr::platform::sdl
