#pragma once
// A picture made ready, once, for every frame the show draws of it: the screen-sized
// background (the colour, or a blurred darkened copy of the picture), the picture
// scaled smoothly to the size it shows at its largest, where it stands, its caption
// and its motion. Used when the fill is not the colour, the picture moves or two
// portraits share the screen; otherwise frames are composed as they always were.
#include <string>
#include <vector>

#include "common/bitmap24.h"
#include "common/graphic.h"
#include "package/settings.h"
#include "platform/screen.h"
#include "saver/caption.h"
#include "saver/picture_layout.h"

namespace scr::saver {

struct TPreparedPicture {
  TBitmap24 background;  // screen-sized
  TBitmap24 source;      // the shown part of the picture, smoothly scaled
  TFixedWindow window;   // all of source, the part shown without motion
  TRect place;           // where source stands on the screen
  TMotion motion;
  std::string caption;
  TCaptionOverlay captionOverlay;  // the caption, drawn once for every frame
};

// Whether the settings ask for prepared pictures rather than the plain composition.
bool UsesPreparedPictures(const TSSFileLocations& settings);

// A graphic drawn at its own size over white (a picture of 0 x 0 for none).
TBitmap24 GraphicBitmap(const TGraphic* graphic);

// Taller than wide.
inline bool IsPortrait(const TBitmap24& b) { return b.Height() > b.Width(); }

// The caption of two pictures shown as one: both texts, or the one they share, or the
// one that is not empty.
std::string PairCaption(const std::string& first, const std::string& second);

// Two portrait pictures side by side at the height of the lower one, a narrow gap of
// the background colour between them.
TBitmap24 SideBySide(const TBitmap24& left, const TBitmap24& right, uint32_t gapRgb);

// A blurred, darkened copy of the picture covering a sw x sh screen, made on a copy
// about a sixteenth of the screen's size and scaled up smoothly.
TBitmap24 BlurredBackdrop(const TBitmap24& picture, int sw, int sh);

// Prepares picture for a sw x sh screen; the motion is drawn from the program-wide
// generator when the settings ask for one, unless given (another display's, which
// then moves the same way).
TPreparedPicture PreparePicture(const TBitmap24& picture, std::string caption, const TSSFileLocations& settings,
                                int sw, int sh, platform::IScreen& screen, const TMotion* motion = nullptr);

// Draws the frame at time t of the hold (0..kMotionEnd) into out (sized to the screen).
void DrawPreparedFrame(const TPreparedPicture& picture, int32_t t, TBitmap24& out, const TSSFileLocations& settings,
                       platform::IScreen& screen);

// The source scaled smoothly from window onto a w x h bitmap: an integer box
// reduction first where it shrinks by half or more, then bilinear.
TBitmap24 ScaleSmoothly(const TBitmap24& src, const TFixedWindow& window, int w, int h);

}  // namespace scr::saver
