#pragma once
// The way a screen window's frames reach the screen: a 32-bit DIB section the size of
// the client area, kept selected into a memory DC. The repainted part of the canvas is
// widened into it and blitted from there. GDI takes 32-bit pixels as they are, while
// 24-bit ones are converted again on every blit, which costs many times the frame's
// copy (under Wine tens of milliseconds a frame at 1920x1080).
#include "common/bitmap24.h"
#include "common/geometry.h"
#include "platform/win32/win32_api.h"

namespace scr::platform::win32 {

// A top-down DIB header of the given size and bits per pixel.
BITMAPINFO DibInfo(int width, int height, int bitCount);

class TWin32FrameSurface {
 public:
  TWin32FrameSurface() = default;
  ~TWin32FrameSurface() { Release(); }
  TWin32FrameSurface(const TWin32FrameSurface&) = delete;
  TWin32FrameSurface& operator=(const TWin32FrameSurface&) = delete;

  // Shows part `area` of `canvas` at the same place on dc. Without a surface (the
  // system refused one) the canvas goes to dc directly.
  void Present(HDC dc, const TBitmap24& canvas, const TRect& area);

 private:
  bool Fit(int width, int height);
  void Release();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace scr::platform::win32
