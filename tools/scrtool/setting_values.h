#pragma once
// Settings as people type them: every setting of the settings record by name (the
// font's as TextFont.Name and so on), values in forgiving forms, and messages that
// name the accepted forms when a value is refused.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "package/settings.h"

namespace scr::tool {

// What `make` starts from, so that a saver made with no settings can be lived with:
// it closes on a key press, a mouse move or a click, moves on every 5 seconds through
// every effect in random order, and shows its caption in white 24-pixel sans-serif.
// It also fills the screen with a blurred copy of each picture (FillMode 1), pans and
// zooms by up to 8 % (PanZoom 8) and scales the caption with the screen (lCaptionScaled).
void ApplyMakeDefaults(TSSFileLocations& settings);

// The defaults that follow other settings, once all given ones are set: lNoRepeat, unless
// given, is on exactly when pictures come in random order.
void FinishMakeDefaults(TSSFileLocations& settings, const std::vector<std::pair<std::string, std::string>>& given);

// Sets one setting. Names compare without regard to letter case; Booleans take
// true/false/yes/no/on/off/1/0, colours a name with or without "cl", #RRGGBB or a
// number, font styles names with or without "fs" (bold,italic), Interval
// milliseconds or a value with a unit, MonitorMode black/same/different or 0/1/2, EffectCommaList an effect list. Refusals raise
// EUsage: an unknown name with the closest known one, a value with the accepted forms.
// The lists and places of the packaged items are refused: they come from the items.
void SetSetting(TSSFileLocations& settings, std::string_view name, std::string_view value);

// The exact name of a setting, for a name typed in any letter case; EUsage otherwise.
std::string CanonicalSettingName(const TSSFileLocations& settings, std::string_view name);

// The names --set and the manifest accept, in stream order.
std::vector<std::string> SettableNames(const TSSFileLocations& settings);

// Milliseconds from "5000", "1500ms", "5s", "2.5s" or "1m"; negatives and other forms
// raise EUsage naming the accepted forms. As a setting by name (--set, a manifest),
// Interval takes such a value or any whole number of milliseconds, negative ones too.
int32_t ParseMilliseconds(std::string_view text);

// --interval: a value with its unit ("5s", "5000ms", "1m"); a bare number is refused
// with EUsage giving both forms, since 5 could mean seconds or milliseconds.
int32_t ParseIntervalOption(std::string_view text);

// MonitorMode from black, same, different or 0, 1, 2 (any letter case); anything
// else raises EUsage naming the accepted forms.
int32_t ParseMonitorMode(std::string_view text);

// A Windows colour (0x00BBGGRR) as red, green and blue; system colours and the special
// values give black.
struct TRgb {
  uint8_t r = 0, g = 0, b = 0;
};
TRgb ColourToRgb(int32_t colour);

}  // namespace scr::tool
