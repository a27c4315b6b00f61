#include "platform/web/web_text.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/web/web_bridge.h"

namespace scr::platform::web {

std::string CssFont(const TTextFont& font) {
  const int px = std::clamp(std::abs(font.height), 1, 1000);
  std::string face;
  for (char c : font.name)
    if (c != '"' && c != '\\' && c != ';') face += c;
  return std::to_string(px) + "px \"" + face + "\", Arial, Helvetica, sans-serif";
}

TTextSize TWebText::Extent(const TTextFont& font, std::string_view text) {
  TTextSize size;
  JsTextExtent(CssFont(font), std::string(text), size.cx, size.cy);
  return size;
}

void TWebText::Draw(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) {
  const std::string css = CssFont(font), utf8(text);
  int w = 0, h = 0;
  JsTextExtent(css, utf8, w, h);
  // Nothing beyond the bitmap is drawn, so the coverage never needs more than it.
  w = std::min(w, std::max(0, bitmap.Width() - x));
  h = std::min(h, std::max(0, bitmap.Height() - y));
  if (w <= 0 || h <= 0) return;
  std::vector<uint8_t> coverage(static_cast<size_t>(w) * h);
  JsTextCoverage(css, utf8, w, h, coverage.data());
  BlendCoverage(bitmap, x, y, w, h, coverage.data(), font.color);
}

void BlendCoverage(TBitmap24& bitmap, int x, int y, int w, int h, const uint8_t* coverage, uint32_t color) {
  const int c[3] = {static_cast<int>((color >> 16) & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                    static_cast<int>(color & 0xFF)};
  for (int j = 0; j < h; ++j) {
    const int by = y + j;
    if (by < 0 || by >= bitmap.Height()) continue;
    uint8_t* row = bitmap.Row(by);
    for (int i = 0; i < w; ++i) {
      const int bx = x + i;
      if (bx < 0 || bx >= bitmap.Width()) continue;
      const int a = coverage[static_cast<size_t>(j) * w + i];
      if (a == 0) continue;
      uint8_t* p = row + 3 * bx;
      for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>((c[k] * a + p[k] * (255 - a) + 127) / 255);
    }
  }
}

}  // namespace scr::platform::web
