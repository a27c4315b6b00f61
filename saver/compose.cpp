#include "saver/compose.h"

#include <memory>

#include "saver/caption.h"

namespace scr::saver {

namespace {

// num / den rounded to the nearest integer, halves to even (num >= 0, den > 0).
int64_t DivideHalfEven(int64_t num, int64_t den) {
  const int64_t q = num / den, r = num % den;
  if (2 * r > den || (2 * r == den && (q & 1) != 0)) return q + 1;
  return q;
}

}  // namespace

uint32_t ColorToRGB(TColor color, platform::IScreen& screen) {
  return IsSystemColor(color) ? screen.SysColor(SystemColorIndex(color)) & 0x00FFFFFFu : color & 0x00FFFFFFu;
}

TFitSize FitPicture(int w, int h, int sw, int sh, bool stretch) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return TFitSize{};
  if (!stretch && w <= sw && h <= sh) return TFitSize{w, h, false};
  // w / sw > h / sh, compared exactly (the products fit easily in 64 bits).
  if (static_cast<int64_t>(w) * sh > static_cast<int64_t>(h) * sw)
    return TFitSize{sw, static_cast<int>(DivideHalfEven(static_cast<int64_t>(h) * sw, w)), true};
  return TFitSize{static_cast<int>(DivideHalfEven(static_cast<int64_t>(w) * sh, h)), sh, true};
}

TBitmap24 ComposeFrame(const TGraphic* graphic, const TSSFileLocations& settings, int sw, int sh,
                       platform::IScreen& screen) {
  return ComposeFrame(graphic, settings, sw, sh, screen, settings.Text());
}

TBitmap24 ComposeFrame(const TGraphic* graphic, const TSSFileLocations& settings, int sw, int sh,
                       platform::IScreen& screen, std::string_view caption) {
  const int w = graphic ? graphic->Width() : 0, h = graphic ? graphic->Height() : 0;
  const TFitSize fit = FitPicture(w, h, sw, sh, settings.lStretch());

  TBitmap24 frame(sw, sh);
  frame.Fill(ColorToRGB(settings.Background(), screen));
  // The picture is drawn straight into its place, centred (a fitted picture never
  // exceeds the screen), over white, which shows through transparent parts of icons.
  // No picture-sized bitmap in between: the first frame of a big photo costs a copy
  // and a screen's worth of memory less.
  if (fit.width > 0 && fit.height > 0) {
    const int left = (sw - fit.width) / 2, top = (sh - fit.height) / 2;
    const TRect place{left, top, left + fit.width, top + fit.height};
    frame.FillRect(place, clWhite);
    if (fit.scaled)
      graphic->StretchDraw(frame, place);
    else
      graphic->Draw(frame, left, top);
  }

  DrawCaption(frame, caption, settings, screen);
  return frame;
}

void ComposePicture(TImage& record, const TSSFileLocations& settings, int sw, int sh, platform::IScreen& screen,
                    std::string_view caption) {
  TBitmap24 frame = ComposeFrame(record.Picture().Graphic(), settings, sw, sh, screen, caption);
  record.Picture().SetGraphic(std::make_unique<TBitmapGraphic>(std::move(frame)));
}

}  // namespace scr::saver
