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

void DrawCaption(TBitmap24& frame, std::string_view text, const TSSFileLocations& settings, platform::IScreen& screen) {
  if (text.empty() || frame.Empty()) return;
  const platform::TTextFont font = CaptionFont(settings, frame.Height(), screen);
  const platform::TTextSize extent = screen.TextExtent(font, text);
  const int x = frame.Width() / 2 - extent.cx / 2;
  if (!settings.lCaptionScaled()) {
    // The caption in the regular style of the font, whatever style the font names.
    screen.DrawTextAt(frame, x, frame.Height() - extent.cy, font, text);
    return;
  }
  const int y = frame.Height() - extent.cy - frame.Height() / 24;
  // The outline: the text in near black around its place, mixed half and half with
  // what lies under it, so it darkens softly instead of drawing a hard edge.
  const int reach = std::max(1, std::abs(font.height) / 14);
  const int top = std::clamp(y - reach, 0, frame.Height()), bottom = std::clamp(y + extent.cy + reach, 0, frame.Height());
  const int left = std::clamp(x - reach, 0, frame.Width()), right = std::clamp(x + extent.cx + reach, 0, frame.Width());
  if (top < bottom && left < right) {
    const size_t bytes = 3 * static_cast<size_t>(right - left);
    std::vector<uint8_t> under(bytes * static_cast<size_t>(bottom - top));
    for (int r = top; r < bottom; ++r)
      std::memcpy(under.data() + bytes * static_cast<size_t>(r - top), frame.Row(r) + 3 * left, bytes);
    platform::TTextFont dark = font;
    dark.color = 0x101010;
    for (int dy = -reach; dy <= reach; dy += reach)
      for (int dx = -reach; dx <= reach; dx += reach)
        if (dx != 0 || dy != 0) screen.DrawTextAt(frame, x + dx, y + dy, dark, text);
    for (int r = top; r < bottom; ++r) {
      uint8_t* row = frame.Row(r) + 3 * left;
      const uint8_t* was = under.data() + bytes * static_cast<size_t>(r - top);
      for (size_t i = 0; i < bytes; ++i) row[i] = static_cast<uint8_t>((row[i] * 3 + was[i] + 2) / 4);
    }
  }
  screen.DrawTextAt(frame, x, y, font, text);
}

}  // namespace scr::saver
