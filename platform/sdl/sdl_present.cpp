#include "platform/sdl/sdl_present.h"

#include "common/errors.h"

namespace scr::platform::sdl {

TSdlPresenter::TSdlPresenter(SDL_Window* window) {
  const bool driverChosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
  renderer_ = SDL_CreateRenderer(window, -1, driverChosen ? 0 : SDL_RENDERER_SOFTWARE);
  if (!renderer_) throw Exception(SDL_GetError());
}

TSdlPresenter::~TSdlPresenter() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
}

void TSdlPresenter::Present(const TBitmap24& bitmap, const TRect& area) {
  if (bitmap.Empty()) return;
  TRect part = Intersect(area, bitmap.Bounds());
  if (!texture_ || width_ != bitmap.Width() || height_ != bitmap.Height()) {
    if (texture_) SDL_DestroyTexture(texture_);
    // SDL's BGR24 is the byte order blue, green, red: the bitmap's own.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING, bitmap.Width(),
                                 bitmap.Height());
    if (!texture_) throw Exception(SDL_GetError());
    width_ = bitmap.Width();
    height_ = bitmap.Height();
    part = bitmap.Bounds();
  }
  if (!part.IsEmpty()) {
    const SDL_Rect r{part.left, part.top, part.Width(), part.Height()};
    SDL_UpdateTexture(texture_, &r, bitmap.Row(part.top) + 3 * part.left,
                      static_cast<int>(TBitmap24::StrideFor(bitmap.Width())));
  }
  Refresh();
}

void TSdlPresenter::Refresh() {
  if (!texture_) return;
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

}  // namespace scr::platform::sdl
