#include "common/graphic.h"

#include "common/stretch.h"

namespace scr {

void TBitmapGraphic::Draw(TBitmap24& dst, int x, int y) const { DrawBitmap(dst, x, y, bitmap_); }

void TBitmapGraphic::StretchDraw(TBitmap24& dst, const TRect& r) const {
  StretchCopy(dst, r, bitmap_, bitmap_.Bounds());
}

}  // namespace scr
