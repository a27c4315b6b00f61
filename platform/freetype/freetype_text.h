#pragma once
// Caption text where the system has no text output of its own: the face fontconfig
// matches for the font's family name (a sans-serif face when no family has that name),
// rendered with FreeType, blended onto the bitmap by each glyph's coverage. Text is
// UTF-8; a character the face lacks is drawn from a face fontconfig finds that has it.
// Built without FreeType (SCR_FREETYPE_TEXT undefined, as in the Windows
// build) text has no extent and draws nothing.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/bitmap24.h"
#include "platform/screen.h"

namespace scr::platform {

class TFreeTypeText {
 public:
  TFreeTypeText();
  ~TFreeTypeText();
  TFreeTypeText(const TFreeTypeText&) = delete;
  TFreeTypeText& operator=(const TFreeTypeText&) = delete;

  // Sum of the glyphs' advances; ascent plus descent. Zero when no face can be found.
  TTextSize Extent(const TTextFont& font, std::string_view text);
  void Draw(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

}  // namespace scr::platform
