#include "platform/sdl/sdl_present.h"

#include <string>
#include <string_view>

#include "common/errors.h"
#include "platform/sdl/sdl_pixel_rows.h"
#include "platform/sdl/sdl_present_path.h"

namespace scr::platform::sdl {

namespace {

SDL_Rect SdlRect(const TRect& r) { return SDL_Rect{r.left, r.top, r.Width(), r.Height()}; }

// Pixels in memory as blue, green, red and one more byte: what WidenRow writes.
bool TakesWidenedRows(const SDL_Surface& s) {
  return s.format->format == SDL_PIXELFORMAT_RGB888 || s.format->format == SDL_PIXELFORMAT_ARGB8888;
}

// The name of the current OpenGL context's renderer, empty without one.
std::string CurrentGlRenderer() {
  if (!SDL_GL_GetCurrentContext()) return {};
  constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER
  using TGetString = const unsigned char* (*)(unsigned);
  const auto getString = reinterpret_cast<TGetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  return name ? std::string(reinterpret_cast<const char*>(name)) : std::string();
}

}  // namespace

TSdlPresenter::TSdlPresenter(SDL_Window* window, bool software) : window_(window) {
  const char* hint = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  const std::string_view driverHint = hint ? hint : "";
  if (!SurfaceAsked(software, driverHint)) {
    renderer_ = SDL_CreateRenderer(window, -1, 0);
    SDL_RendererInfo info{};
    if (renderer_ && SDL_GetRendererInfo(renderer_, &info) == 0) {
      TRendererFacts facts;
      facts.driverHint = driverHint;
      facts.name = info.name ? info.name : "";
      facts.software = (info.flags & SDL_RENDERER_SOFTWARE) != 0;
      const std::string glRenderer = facts.name.starts_with("opengl") ? CurrentGlRenderer() : std::string();
      facts.glRenderer = glRenderer;
      if (SurfaceBetter(facts)) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
      }
    }
  }
  if (!renderer_) {
    // The window's surface goes to the display as it is, not through a texture of
    // some renderer (the person may still ask otherwise through the environment).
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    if (!SDL_GetWindowSurface(window)) throw Exception(SDL_GetError());
  }
}

TSdlPresenter::~TSdlPresenter() {
  if (staging_) SDL_FreeSurface(staging_);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
}

void TSdlPresenter::Present(const TBitmap24& bitmap, const TRect& area) {
  if (bitmap.Empty()) return;
  TRect part = Intersect(area, bitmap.Bounds());
  if (lost_ || width_ != bitmap.Width() || height_ != bitmap.Height()) part = bitmap.Bounds();
  width_ = bitmap.Width();
  height_ = bitmap.Height();
  if (renderer_)
    PresentOnTexture(bitmap, part);
  else
    PresentOnSurface(bitmap, part);
  lost_ = false;
}

void TSdlPresenter::PresentOnSurface(const TBitmap24& bitmap, TRect part) {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) throw Exception(SDL_GetError());
  // A surface made anew (the window's size changed) holds nothing yet.
  const bool sameSize = surface->w == bitmap.Width() && surface->h == bitmap.Height();
  if (sameSize && TakesWidenedRows(*surface)) {
    if (part.IsEmpty()) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) throw Exception(SDL_GetError());
    auto* pixels = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(part.top) * surface->pitch + 4 * part.left;
    WidenRect(bitmap, part, pixels, surface->pitch);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    const SDL_Rect r = SdlRect(part);
    if (SDL_UpdateWindowSurfaceRects(window_, &r, 1) != 0) throw Exception(SDL_GetError());
    return;
  }
  // Another size or pixel format: widened into a frame of our own, then SDL blits
  // (and scales) it into the window.
  if (!staging_ || staging_->w != bitmap.Width() || staging_->h != bitmap.Height()) {
    if (staging_) SDL_FreeSurface(staging_);
    staging_ = SDL_CreateRGBSurfaceWithFormat(0, bitmap.Width(), bitmap.Height(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (!staging_) throw Exception(SDL_GetError());
    part = bitmap.Bounds();
  }
  if (!part.IsEmpty())
    WidenRect(bitmap, part,
              static_cast<uint8_t*>(staging_->pixels) + static_cast<size_t>(part.top) * staging_->pitch + 4 * part.left,
              staging_->pitch);
  if (sameSize) {
    SDL_Rect r = SdlRect(part);
    if (SDL_BlitSurface(staging_, &r, surface, &r) != 0) throw Exception(SDL_GetError());
    r = SdlRect(part);
    if (SDL_UpdateWindowSurfaceRects(window_, &r, 1) != 0) throw Exception(SDL_GetError());
  } else {
    if (SDL_BlitScaled(staging_, nullptr, surface, nullptr) != 0) throw Exception(SDL_GetError());
    if (SDL_UpdateWindowSurface(window_) != 0) throw Exception(SDL_GetError());
  }
}

void TSdlPresenter::PresentOnTexture(const TBitmap24& bitmap, TRect part) {
  if (!texture_ || part == bitmap.Bounds()) {
    int w = 0, h = 0;
    if (texture_) SDL_QueryTexture(texture_, nullptr, nullptr, &w, &h);
    if (!texture_ || w != bitmap.Width() || h != bitmap.Height()) {
      if (texture_) SDL_DestroyTexture(texture_);
      // ARGB8888 is, in memory, blue, green, red, alpha: the rows as WidenRow writes them.
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, bitmap.Width(),
                                   bitmap.Height());
      if (!texture_) throw Exception(SDL_GetError());
    }
  }
  if (!part.IsEmpty()) {
    const SDL_Rect r = SdlRect(part);
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, &r, &pixels, &pitch) != 0) throw Exception(SDL_GetError());
    WidenRect(bitmap, part, static_cast<uint8_t*>(pixels), pitch);
    SDL_UnlockTexture(texture_);
  }
  // An accelerated renderer keeps no picture between frames: all of it is drawn.
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

bool TSdlPresenter::Refresh() {
  if (lost_ || width_ == 0) return false;
  if (renderer_) {
    if (!texture_) return false;
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    return true;
  }
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return false;
  if (staging_ && (surface->w != width_ || surface->h != height_)) {
    if (SDL_BlitScaled(staging_, nullptr, surface, nullptr) != 0) return false;
  }
  return SDL_UpdateWindowSurface(window_) == 0;
}

}  // namespace scr::platform::sdl
