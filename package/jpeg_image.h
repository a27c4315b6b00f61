#pragma once
// The "TJPEGImage" picture: keeps the JPEG bytes, knows its size from the header, and
// decodes the pixels the first time it is drawn.
#include <cstdint>
#include <memory>
#include <vector>

#include "common/graphic.h"

namespace scr {

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage() = default;  // an empty image
  // Reads the header at once: data that is no JPEG, or a picture over the size limits,
  // throws EInvalidGraphic here. Empty data gives an empty image.
  explicit TJPEGImage(std::vector<uint8_t> data);

  std::string ClassName() const override { return "TJPEGImage"; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(TBitmap24& dst, int x, int y) const override;
  void StretchDraw(TBitmap24& dst, const TRect& r) const override;
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }

  // The JPEG file's bytes as stored.
  const std::vector<uint8_t>& Data() const;
  // The decoded pixels, decoding on first use (throws EInvalidGraphic for bad data).
  const TBitmap24& Bitmap() const;
  bool Decoded() const { return decoded_ != nullptr; }

 private:
  // Copies share the bytes and the decoded pixels; neither changes once made.
  std::shared_ptr<const std::vector<uint8_t>> data_;
  int width_ = 0;
  int height_ = 0;
  mutable std::shared_ptr<const TBitmap24> decoded_;
};

}  // namespace scr
