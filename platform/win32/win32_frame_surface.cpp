#include "platform/win32/win32_frame_surface.h"

#include "common/bgrx_rows.h"

namespace scr::platform::win32 {

BITMAPINFO DibInfo(int width, int height, int bitCount) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as TBitmap24 keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

bool TWin32FrameSurface::Fit(int width, int height) {
  if (bits_ && width == width_ && height == height_) return true;
  Release();
  if (width <= 0 || height <= 0) return false;
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) return false;
  BITMAPINFO info = DibInfo(width, height, 32);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_ || !bits) {
    Release();
    return false;
  }
  old_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void TWin32FrameSurface::Release() {
  if (old_) SelectObject(dc_, old_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  old_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TWin32FrameSurface::Present(HDC dc, const TBitmap24& canvas, const TRect& area) {
  const TRect r = Intersect(area, canvas.Bounds());
  if (r.IsEmpty()) return;
  if (!Fit(canvas.Width(), canvas.Height())) {
    BITMAPINFO info = DibInfo(canvas.Width(), canvas.Height(), 24);
    StretchDIBits(dc, 0, 0, canvas.Width(), canvas.Height(), 0, 0, canvas.Width(), canvas.Height(), canvas.Data(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
    return;
  }
  // GDI may still be reading the surface from the last blit.
  GdiFlush();
  for (int y = r.top; y < r.bottom; ++y)
    WidenBgrRow(canvas.Row(y) + 3 * r.left, bits_ + static_cast<size_t>(y) * width_ + r.left, r.Width());
  BitBlt(dc, r.left, r.top, r.Width(), r.Height(), dc_, r.left, r.top, SRCCOPY);
}

}  // namespace scr::platform::win32
