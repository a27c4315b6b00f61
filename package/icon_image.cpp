#include "package/icon_image.h"

#include "common/stretch.h"

namespace scr {

TIcon::TIcon(std::vector<uint8_t> file) {
  if (file.empty()) return;
  picture_ = DecodeIcon(file);
  data_ = std::move(file);
}

TIcon::TIcon(TIconPicture picture) : picture_(std::move(picture)) {}

void DrawWithOpacity(TBitmap24& dst, int x, int y, const TBitmap24& image, const TBitmap24& opacity) {
  const TRect target = Intersect(TRect{x, y, x + image.Width(), y + image.Height()}, dst.Bounds());
  for (int row = target.top; row < target.bottom; ++row) {
    uint8_t* out = dst.Row(row) + 3 * target.left;
    const uint8_t* in = image.Row(row - y) + 3 * (target.left - x);
    const uint8_t* alpha = opacity.Row(row - y) + 3 * (target.left - x);
    for (int i = 0; i < 3 * target.Width(); ++i) {
      const unsigned a = alpha[i];
      if (a == 255) {
        out[i] = in[i];
      } else if (a != 0) {
        out[i] = static_cast<uint8_t>((in[i] * a + out[i] * (255 - a) + 127) / 255);
      }
    }
  }
}

void TIcon::Draw(TBitmap24& dst, int x, int y) const {
  DrawWithOpacity(dst, x, y, picture_.image, picture_.opacity);
}

void TIcon::StretchDraw(TBitmap24& dst, const TRect& r) const {
  if (Empty() || r.Width() == 0 || r.Height() == 0) return;
  // The pixels r covers, as the stretching copy counts them (a negative extent mirrors).
  const auto cover = [](int origin, int extent, int& lo, int& hi) {
    lo = extent >= 0 ? origin : origin + extent + 1;
    hi = extent >= 0 ? origin + extent : origin + 1;
  };
  TRect area;
  cover(r.left, r.Width(), area.left, area.right);
  cover(r.top, r.Height(), area.top, area.bottom);
  area = Intersect(area, dst.Bounds());
  if (area.IsEmpty()) return;
  // Stretch colours and opacity alike into the visible area, then blend; what the
  // stretch leaves uncovered keeps opacity 0.
  TBitmap24 image(area.Width(), area.Height()), opacity(area.Width(), area.Height());
  const TExtentRect d{r.left - area.left, r.top - area.top, r.Width(), r.Height()};
  const TExtentRect s{0, 0, Width(), Height()};
  StretchCopy(image, d, picture_.image, s);
  StretchCopy(opacity, d, picture_.opacity, s);
  DrawWithOpacity(dst, area.left, area.top, image, opacity);
}

}  // namespace scr
