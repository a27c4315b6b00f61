#include "saver/prepared_picture.h"

#include <algorithm>
#include <cstring>

#include "common/box_blur.h"
#include "saver/caption.h"
#include "saver/compose.h"

namespace scr::saver {

bool UsesPreparedPictures(const TSSFileLocations& s) {
  return FillFromSetting(s.FillMode()) != TFill::Colour || s.PanZoom() > 0 || s.lPairPortraits();
}

TBitmap24 GraphicBitmap(const TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return TBitmap24();
  TBitmap24 bmp(graphic->Width(), graphic->Height());
  bmp.Fill(clWhite);
  graphic->Draw(bmp, 0, 0);
  return bmp;
}

TBitmap24 ScaleSmoothly(const TBitmap24& src, const TFixedWindow& window, int w, int h) {
  TBitmap24 out(std::max(w, 0), std::max(h, 0));
  if (out.Empty() || src.Empty() || window.w <= 0 || window.h <= 0) return out;
  // Shrinking by k or more: average k x k blocks first, so that no pixel is skipped.
  const int64_t kx = window.w / (int64_t{w} * kFixedOne), ky = window.h / (int64_t{h} * kFixedOne);
  const int factor = static_cast<int>(std::clamp<int64_t>(std::min(kx, ky), 1, 64));
  if (factor >= 2) {
    const TBitmap24 reduced = ReduceByBoxes(src, factor);
    const TFixedWindow scaled{window.x / factor, window.y / factor, window.w / factor, window.h / factor};
    BilinearScale(out, out.Bounds(), reduced, scaled);
  } else {
    BilinearScale(out, out.Bounds(), src, window);
  }
  return out;
}

std::string PairCaption(const std::string& first, const std::string& second) {
  if (first == second || second.empty()) return first;
  if (first.empty()) return second;
  return first + "  -  " + second;
}

TBitmap24 SideBySide(const TBitmap24& left, const TBitmap24& right, uint32_t gapRgb) {
  if (left.Empty() || right.Empty()) return left.Empty() ? right : left;
  const int h = std::min(left.Height(), right.Height());
  const int lw = std::max(1, static_cast<int>(int64_t{left.Width()} * h / left.Height()));
  const int rw = std::max(1, static_cast<int>(int64_t{right.Width()} * h / right.Height()));
  const int gap = std::max(2, h / 60);
  TBitmap24 out(lw + gap + rw, h);
  out.Fill(gapRgb);
  DrawBitmap(out, 0, 0, ScaleSmoothly(left, WholeWindow(left.Width(), left.Height()), lw, h));
  DrawBitmap(out, lw + gap, 0, ScaleSmoothly(right, WholeWindow(right.Width(), right.Height()), rw, h));
  return out;
}

TBitmap24 BlurredBackdrop(const TBitmap24& picture, int sw, int sh) {
  TBitmap24 out(std::max(sw, 0), std::max(sh, 0));
  if (out.Empty() || picture.Empty()) return out;
  // The small copy covers the screen, centred, whatever the picture's shape.
  const int smallW = std::max(1, sw / 16), smallH = std::max(1, sh / 16);
  const TPictureLayout cover = LayoutPicture(picture.Width(), picture.Height(), smallW, smallH, TFill::Crop, true);
  TFixedWindow window = cover.window;
  if (picture.Height() > picture.Width()) window.y = (int64_t{picture.Height()} * kFixedOne - window.h) / 2;
  // A sampled average is enough for a copy that is blurred next, and it costs the same
  // whatever the photo's size.
  TBitmap24 small = AverageSampled(picture, window, smallW, smallH, 6);
  BoxBlur(small, std::max(1, std::max(smallW, smallH) / 48), 3);
  Darken(small, 140);  // a little over half: the picture in front stands out
  BilinearScale(out, out.Bounds(), small, WholeWindow(smallW, smallH));
  return out;
}

TPreparedPicture PreparePicture(const TBitmap24& picture, std::string caption, const TSSFileLocations& s, int sw,
                                int sh, platform::IScreen& screen, const TMotion* motion) {
  TPreparedPicture p;
  p.caption = std::move(caption);
  p.captionOverlay = MakeCaptionOverlay(p.caption, s, sw, sh, screen);
  const TFill fill = FillFromSetting(s.FillMode());
  if (fill == TFill::Blur && !picture.Empty()) {
    p.background = BlurredBackdrop(picture, sw, sh);
  } else {
    p.background.SetSize(std::max(sw, 0), std::max(sh, 0));
    p.background.Fill(ColorToRGB(s.Background(), screen));
  }
  const TPictureLayout layout = LayoutPicture(picture.Width(), picture.Height(), sw, sh, fill, s.lStretch());
  p.place = layout.place;
  if (p.place.Width() <= 0 || p.place.Height() <= 0) return p;
  // Room for the largest zoom, so that a moving picture never scales up what it shows.
  const int percent = std::clamp(s.PanZoom(), 0, 30);
  const int w = p.place.Width() * (100 + percent) / 100, h = p.place.Height() * (100 + percent) / 100;
  p.source = ScaleSmoothly(picture, layout.window, w, h);
  p.window = WholeWindow(w, h);
  p.motion = s.Interval() <= 0 ? TMotion{} : motion ? *motion : RandomMotion(percent);
  return p;
}

void DrawPreparedFrame(const TPreparedPicture& p, int32_t t, TBitmap24& out, const TSSFileLocations& s,
                       platform::IScreen& screen) {
  if (out.Width() != p.background.Width() || out.Height() != p.background.Height())
    out.SetSize(p.background.Width(), p.background.Height());
  const TRect& r = p.place;
  // The background only where the picture does not cover it.
  const size_t rowBytes = 3 * static_cast<size_t>(out.Width());
  for (int y = 0; y < out.Height(); ++y) {
    if (y < r.top || y >= r.bottom || r.Width() <= 0) {
      std::memcpy(out.Row(y), p.background.Row(y), rowBytes);
    } else {
      const int left = std::clamp(r.left, 0, out.Width()), right = std::clamp(r.right, 0, out.Width());
      std::memcpy(out.Row(y), p.background.Row(y), 3 * static_cast<size_t>(left));
      std::memcpy(out.Row(y) + 3 * right, p.background.Row(y) + 3 * right, 3 * static_cast<size_t>(out.Width() - right));
    }
  }
  if (!p.source.Empty()) {
    const TFixedWindow window = MotionWindow(p.window, p.motion, t);
    if (p.motion.percent == 0 && window.w == int64_t{r.Width()} * kFixedOne && window.h == int64_t{r.Height()} * kFixedOne)
      DrawBitmap(out, r.left, r.top, p.source);  // still and at its size: a plain copy
    else
      BilinearScale(out, r, p.source, window);
  }
  ApplyCaptionOverlay(p.captionOverlay, out);
}

}  // namespace scr::saver
