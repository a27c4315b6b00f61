#pragma once
// Caption text through the browser's canvas text: the font's name and height turned
// into a CSS font, the text measured and drawn by the page, blended onto the bitmap
// by its coverage. Text is UTF-8, as everywhere in the program. Glyphs may differ from the Windows ones.
#include <string>
#include <string_view>

#include "common/bitmap24.h"
#include "platform/screen.h"

namespace scr::platform::web {

// The CSS font for a caption font: height below zero is the characters' height in
// pixels, above zero the cell height (taken as the same here); the face with the
// usual sans-serif fallback.
std::string CssFont(const TTextFont& font);

class TWebText {
 public:
  TTextSize Extent(const TTextFont& font, std::string_view text);
  void Draw(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text);
};

// Blends colour (0x00BBGGRR) onto bitmap through coverage (w x h bytes, 255 full) with
// its top-left at (x, y), clipped to the bitmap.
void BlendCoverage(TBitmap24& bitmap, int x, int y, int w, int h, const uint8_t* coverage, uint32_t color);

}  // namespace scr::platform::web
