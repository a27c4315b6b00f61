#include "package/jpeg_image.h"

#include "common/stretch.h"
#include "package/jpeg_decode.h"

namespace scr {

TJPEGImage::TJPEGImage(std::vector<uint8_t> data) {
  if (data.empty()) return;
  const TJpegHeader header = ReadJpegHeader(data);
  width_ = header.width;
  height_ = header.height;
  data_ = std::make_shared<const std::vector<uint8_t>>(std::move(data));
}

const std::vector<uint8_t>& TJPEGImage::Data() const {
  static const std::vector<uint8_t> kNone;
  return data_ ? *data_ : kNone;
}

const TBitmap24& TJPEGImage::Bitmap() const {
  if (!decoded_) {
    decoded_ = data_ ? std::make_shared<const TBitmap24>(DecodeJpeg(*data_)) : std::make_shared<const TBitmap24>();
  }
  return *decoded_;
}

void TJPEGImage::Draw(TBitmap24& dst, int x, int y) const {
  if (Empty()) return;
  DrawBitmap(dst, x, y, Bitmap());
}

void TJPEGImage::StretchDraw(TBitmap24& dst, const TRect& r) const {
  if (Empty()) return;
  const TBitmap24& pixels = Bitmap();
  StretchCopy(dst, r, pixels, pixels.Bounds());
}

}  // namespace scr
