#pragma once
// The "TIcon" picture: an icon image with its transparency. Drawing blends by the
// icon's opacity, so transparent pixels leave the target unchanged.
#include <cstdint>
#include <memory>
#include <vector>

#include "common/graphic.h"
#include "package/icon_codec.h"

namespace scr {

class TIcon : public TGraphic {
 public:
  TIcon() = default;  // an empty icon
  // Decodes an icon file at once (throws EInvalidGraphic); empty data gives an empty icon.
  explicit TIcon(std::vector<uint8_t> file);
  explicit TIcon(TIconPicture picture);

  std::string ClassName() const override { return "TIcon"; }
  int Width() const override { return picture_.image.Width(); }
  int Height() const override { return picture_.image.Height(); }
  void Draw(TBitmap24& dst, int x, int y) const override;
  void StretchDraw(TBitmap24& dst, const TRect& r) const override;
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TIcon>(*this); }

  const TBitmap24& Image() const { return picture_.image; }
  // Opacity of a pixel: 0 transparent to 255 opaque.
  uint8_t Opacity(int x, int y) const { return picture_.opacity.Row(y)[3 * x]; }
  // The icon file's bytes as stored (empty when made from a picture).
  const std::vector<uint8_t>& Data() const { return data_; }

 private:
  std::vector<uint8_t> data_;
  TIconPicture picture_;
};

// Blends `image` onto dst with its top-left at (x, y), clipped to dst, by `opacity`
// (same size as image, opacity in each byte).
void DrawWithOpacity(TBitmap24& dst, int x, int y, const TBitmap24& image, const TBitmap24& opacity);

}  // namespace scr
