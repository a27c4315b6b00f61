#pragma once
// Turning a packaged picture into the full-screen frame the slide show hands to the
// picture show control: the background colour, the picture fitted to the screen and
// centred, and the caption at the bottom centre.
#include <cstdint>
#include <string_view>

#include "common/bitmap24.h"
#include "common/geometry.h"
#include "common/graphic.h"
#include "package/image.h"
#include "package/settings.h"
#include "platform/screen.h"

namespace scr::saver {

// The size a w x h picture takes on a screen of sw x sh: unchanged when it fits and
// stretch is off; otherwise scaled to fit with its aspect kept, the computed side
// rounded to the nearest integer, halves to even. Empty pictures stay empty.
struct TFitSize {
  int width = 0;
  int height = 0;
  bool scaled = false;
  friend bool operator==(const TFitSize&, const TFitSize&) = default;
};
TFitSize FitPicture(int w, int h, int sw, int sh, bool stretch);

// The frame for one graphic (null counts as an empty one) on a screen of sw x sh.
TBitmap24 ComposeFrame(const TGraphic* graphic, const TSSFileLocations& settings, int sw, int sh,
                       platform::IScreen& screen);
// The same with a caption of its own instead of Text.
TBitmap24 ComposeFrame(const TGraphic* graphic, const TSSFileLocations& settings, int sw, int sh,
                       platform::IScreen& screen, std::string_view caption);

// Replaces the record's picture by its frame (a bitmap, whatever the record held).
// The caption is Text unless given.
void ComposePicture(TImage& record, const TSSFileLocations& settings, int sw, int sh, platform::IScreen& screen,
                    std::string_view caption);
inline void ComposePicture(TImage& record, const TSSFileLocations& settings, int sw, int sh,
                           platform::IScreen& screen) {
  ComposePicture(record, settings, sw, sh, screen, settings.Text());
}

// A colour as drawn: system colours resolved through the screen.
uint32_t ColorToRGB(TColor color, platform::IScreen& screen);

}  // namespace scr::saver
