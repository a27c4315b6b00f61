#pragma once
// The caption of a frame: which text a picture shows, and drawing it at the bottom
// centre, either as the show always drew it or scaled with the screen, with a soft
// dark outline and a margin above the bottom edge.
#include <string>
#include <string_view>

#include "common/bitmap24.h"
#include "common/geometry.h"
#include "package/settings.h"
#include "platform/screen.h"

namespace scr::saver {

// CaptionMode 1: the picture's own entry of the descriptions where it has one that is
// not empty; otherwise, and in every other mode, Text.
std::string CaptionFor(const TSSFileLocations& settings, int32_t pictureIndex);

// The font the caption is drawn in on a screen `screenHeight` lines high: TextFont's
// height as is, or with lCaptionScaled, as given for 1080 lines and scaled to the screen.
platform::TTextFont CaptionFont(const TSSFileLocations& settings, int screenHeight, platform::IScreen& screen);

// Draws text (nothing when empty) at the bottom centre of frame.
void DrawCaption(TBitmap24& frame, std::string_view text, const TSSFileLocations& settings, platform::IScreen& screen);

// The caption of every frame of a sw x sh screen, drawn once: what it makes of a black
// and of a white frame over the area it can touch. Text drawing mixes with what lies
// under it in proportion, so any frame's caption follows from the two (within a level
// of drawing it there), at a fraction of the cost of drawing text per frame.
struct TCaptionOverlay {
  TRect area;  // empty: no caption
  TBitmap24 overBlack, overWhite;
};
TCaptionOverlay MakeCaptionOverlay(std::string_view text, const TSSFileLocations& settings, int sw, int sh,
                                   platform::IScreen& screen);
// Puts the caption onto frame (the screen it was made for).
void ApplyCaptionOverlay(const TCaptionOverlay& overlay, TBitmap24& frame);

}  // namespace scr::saver
