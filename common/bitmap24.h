#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/geometry.h"

namespace scr {

// A 24-bit top-down bitmap: bytes blue, green, red; each row padded to a multiple of
// 4 bytes, so the memory can back a Windows DIB section (with a negative height).
class TBitmap24 {
 public:
  TBitmap24() = default;
  TBitmap24(int width, int height) { SetSize(width, height); }

  // Resizes; the content becomes black. Negative sizes count as 0.
  void SetSize(int width, int height);
  // Resizes and fills with one colour (0x00BBGGRR).
  void SetSize(int width, int height, uint32_t rgb) { SetSize(width, height); Fill(rgb); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  size_t Stride() const { return stride_; }
  TRect Bounds() const { return TRect{0, 0, width_, height_}; }

  uint8_t* Row(int y) { return data_.data() + static_cast<size_t>(y) * stride_; }
  const uint8_t* Row(int y) const { return data_.data() + static_cast<size_t>(y) * stride_; }
  uint8_t* Data() { return data_.data(); }
  const uint8_t* Data() const { return data_.data(); }
  size_t SizeBytes() const { return data_.size(); }

  // Colour of a pixel as 0x00BBGGRR (the Windows COLORREF order).
  uint32_t Pixel(int x, int y) const {
    const uint8_t* p = Row(y) + 3 * x;
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
  }
  void SetPixel(int x, int y, uint32_t rgb) {
    uint8_t* p = Row(y) + 3 * x;
    p[0] = static_cast<uint8_t>(rgb >> 16);
    p[1] = static_cast<uint8_t>(rgb >> 8);
    p[2] = static_cast<uint8_t>(rgb);
  }
  void Fill(uint32_t rgb) { FillRect(Bounds(), rgb); }
  // Fills the part of r inside the bitmap.
  void FillRect(TRect r, uint32_t rgb);

  // Same size and same pixels (row padding ignored).
  friend bool operator==(const TBitmap24& a, const TBitmap24& b);

  static size_t StrideFor(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3); }

 private:
  int width_ = 0;
  int height_ = 0;
  size_t stride_ = 0;
  std::vector<uint8_t> data_;
};

// Copies src onto dst with src's top-left at (x, y), clipped to dst.
void DrawBitmap(TBitmap24& dst, int x, int y, const TBitmap24& src);

}  // namespace scr
