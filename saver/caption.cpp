#include "saver/caption.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/muldiv.h"
#include "saver/compose.h"

namespace scr::saver {

std::string CaptionFor(const TSSFileLocations& settings, int32_t pictureIndex) {
  if (settings.CaptionMode() == 1 && pictureIndex >= 0 &&
      static_cast<size_t>(pictureIndex) < settings.Descriptions().size()) {
    const std::string& own = settings.Descriptions()[static_cast<size_t>(pictureIndex)];
    if (!own.empty()) return own;
  }
  return settings.Text();
}

platform::TTextFont CaptionFont(const TSSFileLocations& settings, int screenHeight, platform::IScreen& screen) {
  const TFont& f = settings.TextFont();
  int32_t height = f.Height();
  if (settings.lCaptionScaled() && screenHeight > 0) {
    height = MulDiv(height, screenHeight, 1080);
    if (height == 0) height = f.Height() < 0 ? -1 : 1;
  }
  return platform::TTextFont{f.Name(), height, ColorToRGB(f.Color(), screen)};
}

namespace {

// Where the caption of a sw x sh screen stands: its text's top-left and extent, and the
// outline's reach (0 without one).
struct TCaptionPlace {
  platform::TTextFont font;
  int x = 0, y = 0, reach = 0;
  platform::TTextSize extent;
};

TCaptionPlace PlaceCaption(std::string_view text, const TSSFileLocations& settings, int sw, int sh,
                           platform::IScreen& screen) {
  TCaptionPlace c;
  c.font = CaptionFont(settings, sh, screen);
  c.extent = screen.TextExtent(c.font, text);
  c.x = sw / 2 - c.extent.cx / 2;
  if (!settings.lCaptionScaled()) {
    c.y = sh - c.extent.cy;
  } else {
    c.y = sh - c.extent.cy - sh / 24;
    c.reach = std::max(1, std::abs(c.font.height) / 14);
  }
  return c;
}

// Draws the caption of a sw x sh screen onto target, whose top-left stands at origin
// of that screen.
void DrawCaptionOn(TBitmap24& target, TPoint origin, int sw, int sh, std::string_view text,
                   const TSSFileLocations& settings, platform::IScreen& screen) {
  if (text.empty() || target.Empty()) return;
  const TCaptionPlace c = PlaceCaption(text, settings, sw, sh, screen);
  const int x = c.x - origin.x, y = c.y - origin.y;
  if (!settings.lCaptionScaled()) {
    // The caption in the regular style of the font, whatever style the font names.
    screen.DrawTextAt(target, x, y, c.font, text);
    return;
  }
  // The outline: the text in near black around its place, mixed half and half with
  // what lies under it, so it darkens softly instead of drawing a hard edge.
  const int reach = c.reach;
  const int top = std::clamp(y - reach, 0, target.Height()), bottom = std::clamp(y + c.extent.cy + reach, 0, target.Height());
  const int left = std::clamp(x - reach, 0, target.Width()), right = std::clamp(x + c.extent.cx + reach, 0, target.Width());
  if (top < bottom && left < right) {
    const size_t bytes = 3 * static_cast<size_t>(right - left);
    std::vector<uint8_t> under(bytes * static_cast<size_t>(bottom - top));
    for (int r = top; r < bottom; ++r)
      std::memcpy(under.data() + bytes * static_cast<size_t>(r - top), target.Row(r) + 3 * left, bytes);
    platform::TTextFont dark = c.font;
    dark.color = 0x101010;
    for (int dy = -reach; dy <= reach; dy += reach)
      for (int dx = -reach; dx <= reach; dx += reach)
        if (dx != 0 || dy != 0) screen.DrawTextAt(target, x + dx, y + dy, dark, text);
    for (int r = top; r < bottom; ++r) {
      uint8_t* row = target.Row(r) + 3 * left;
      const uint8_t* was = under.data() + bytes * static_cast<size_t>(r - top);
      for (size_t i = 0; i < bytes; ++i) row[i] = static_cast<uint8_t>((row[i] * 3 + was[i] + 2) / 4);
    }
  }
  screen.DrawTextAt(target, x, y, c.font, text);
}

}  // namespace

void DrawCaption(TBitmap24& frame, std::string_view text, const TSSFileLocations& settings, platform::IScreen& screen) {
  DrawCaptionOn(frame, TPoint{0, 0}, frame.Width(), frame.Height(), text, settings, screen);
}

TCaptionOverlay MakeCaptionOverlay(std::string_view text, const TSSFileLocations& settings, int sw, int sh,
                                   platform::IScreen& screen) {
  TCaptionOverlay o;
  if (text.empty() || sw <= 0 || sh <= 0) return o;
  const TCaptionPlace c = PlaceCaption(text, settings, sw, sh, screen);
  // Room for glyphs reaching beyond their cell, as text drawing allows.
  const int side = c.reach + std::max(4, c.extent.cy / 4), vertical = c.reach + std::max(2, c.extent.cy / 8);
  o.area = Intersect(TRect{c.x - side, c.y - vertical, c.x + c.extent.cx + side, c.y + c.extent.cy + vertical},
                     TRect{0, 0, sw, sh});
  if (o.area.IsEmpty()) return o;
  const TPoint origin{o.area.left, o.area.top};
  o.overBlack.SetSize(o.area.Width(), o.area.Height(), 0x000000);
  o.overWhite.SetSize(o.area.Width(), o.area.Height(), 0xFFFFFF);
  DrawCaptionOn(o.overBlack, origin, sw, sh, text, settings, screen);
  DrawCaptionOn(o.overWhite, origin, sw, sh, text, settings, screen);
  return o;
}

void ApplyCaptionOverlay(const TCaptionOverlay& o, TBitmap24& frame) {
  const TRect a = Intersect(o.area, frame.Bounds());
  if (a.IsEmpty() || o.overBlack.Empty()) return;
  const size_t bytes = 3 * static_cast<size_t>(a.Width());
  for (int y = a.top; y < a.bottom; ++y) {
    uint8_t* row = frame.Row(y) + 3 * a.left;
    const uint8_t* black = o.overBlack.Row(y - o.area.top) + 3 * (a.left - o.area.left);
    const uint8_t* white = o.overWhite.Row(y - o.area.top) + 3 * (a.left - o.area.left);
    for (size_t i = 0; i < bytes; ++i) {
      // What shows through: (white - black) / 255 of what lies under.
      const int through = std::max(0, int{white[i]} - int{black[i]});
      row[i] = static_cast<uint8_t>(std::min(255, black[i] + (row[i] * through + 127) / 255));
    }
  }
}

}  // namespace scr::saver
