#pragma once
// Presents finished 24-bit frames in a window: a streaming texture in the bitmap's
// own byte order (blue, green, red; rows padded to 4 bytes), so SDL takes the bytes
// as they are. Only the part that changed is copied into the texture; the whole
// texture is then rendered, scaled to the window when their sizes differ.
#include <SDL.h>

#include "common/bitmap24.h"
#include "common/geometry.h"

namespace scr::platform::sdl {

class TSdlPresenter {
 public:
  // A renderer for the window: SDL's software renderer unless the SDL_RENDER_DRIVER
  // hint names another. Raises Exception with SDL's text when none can be made.
  explicit TSdlPresenter(SDL_Window* window);
  ~TSdlPresenter();
  TSdlPresenter(const TSdlPresenter&) = delete;
  TSdlPresenter& operator=(const TSdlPresenter&) = delete;

  // Copies area of bitmap into the texture (all of it when the size changed) and
  // shows the texture.
  void Present(const TBitmap24& bitmap, const TRect& area);
  // Shows the texture again (after the window was uncovered).
  void Refresh();

 private:
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace scr::platform::sdl
