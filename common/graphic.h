#pragma once
#include <memory>
#include <string>

#include "common/bitmap24.h"
#include "common/geometry.h"

namespace scr {

// A picture's graphic: what a picture holds once its data has been read. Every kind
// ends up drawn into 24-bit bitmaps; decoding may be deferred until first drawn.
class TGraphic {
 public:
  virtual ~TGraphic() = default;
  // The picture class name as streamed ("TBitmap", "TJPEGImage", "TIcon", "TMetafile").
  virtual std::string ClassName() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // Draws the graphic at its own size with its top-left at (x, y), clipped to dst.
  virtual void Draw(TBitmap24& dst, int x, int y) const = 0;
  // Draws the graphic scaled into r (nearest pixel), clipped to dst.
  virtual void StretchDraw(TBitmap24& dst, const TRect& r) const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;
};

// A graphic that is a plain 24-bit bitmap (class "TBitmap").
class TBitmapGraphic : public TGraphic {
 public:
  TBitmapGraphic() = default;
  explicit TBitmapGraphic(TBitmap24 bitmap) : bitmap_(std::move(bitmap)) {}
  std::string ClassName() const override { return "TBitmap"; }
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  void Draw(TBitmap24& dst, int x, int y) const override;
  void StretchDraw(TBitmap24& dst, const TRect& r) const override;
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmapGraphic>(*this); }
  const TBitmap24& Bitmap() const { return bitmap_; }
  TBitmap24& Bitmap() { return bitmap_; }

 private:
  TBitmap24 bitmap_;
};

}  // namespace scr
