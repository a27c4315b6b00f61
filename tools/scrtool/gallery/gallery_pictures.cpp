#include "tools/scrtool/gallery/gallery_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace scr::tool {

namespace {

uint32_t Rgb(int r, int g, int b) {
  auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
  return c(r) | (c(g) << 8) | (c(b) << 16);
}

// A colour from a hue turn (0..1) at full saturation, scaled by light (0..1).
uint32_t Hue(double turn, double light) {
  turn -= std::floor(turn);
  const double h = turn * 6;
  const double x = 1 - std::fabs(std::fmod(h, 2) - 1);
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0: r = 1, g = x; break;
    case 1: r = x, g = 1; break;
    case 2: g = 1, b = x; break;
    case 3: g = x, b = 1; break;
    case 4: r = x, b = 1; break;
    default: r = 1, b = x; break;
  }
  return Rgb(static_cast<int>(r * light * 255), static_cast<int>(g * light * 255), static_cast<int>(b * light * 255));
}

// A frame around the picture and an arrow-like marker in its top-left corner, so
// mirrored and rotated copies are told apart.
void Frame(TBitmap24& b, uint32_t colour) {
  const int w = b.Width(), h = b.Height(), t = std::max(2, std::min(w, h) / 40);
  b.FillRect(TRect{0, 0, w, t}, colour);
  b.FillRect(TRect{0, h - t, w, h}, colour);
  b.FillRect(TRect{0, 0, t, h}, colour);
  b.FillRect(TRect{w - t, 0, w, h}, colour);
  const int m = std::max(4, std::min(w, h) / 6);
  for (int i = 0; i < m; ++i) b.FillRect(TRect{2 * t, 2 * t + i, 2 * t + m - i, 2 * t + i + 1}, colour);
}

}  // namespace

TBitmap24 GalleryOldPicture(int width, int height) {
  // Warm rings about a point left of the centre, over a grid.
  TBitmap24 b(width, height);
  const double cx = width * 0.38, cy = height * 0.5, unit = std::max(1, std::min(width, height) / 12);
  const int grid = std::max(4, std::min(width, height) / 9);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double d = std::hypot(x - cx, y - cy) / unit;
      const bool line = x % grid == 0 || y % grid == 0;
      // Flat colours, one a ring: clear edges for the eye, and small clips.
      const int ring = static_cast<int>(d);
      const uint32_t c = line ? Rgb(250, 245, 220) : Hue(0.02 + 0.03 * (ring % 4), ring % 2 ? 1.0 : 0.55);
      b.SetPixel(x, y, c);
    }
  Frame(b, Rgb(255, 255, 255));
  return b;
}

TBitmap24 GalleryNewPicture(int width, int height) {
  // Cool diagonal bands of six flat hues, a checkerboard in the lower right quarter.
  TBitmap24 b(width, height);
  const int band = std::max(3, std::min(width, height) / 10);
  const int check = std::max(2, std::min(width, height) / 16);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t c = Hue(0.3 + 0.5 * ((x + y) / band % 6) / 6.0, 0.9);
      if (x > width / 2 && y > height / 2 && (x / check + y / check) % 2 == 0) c = Rgb(20, 20, 60);
      b.SetPixel(x, y, c);
    }
  Frame(b, Rgb(255, 230, 0));
  return b;
}

}  // namespace scr::tool
