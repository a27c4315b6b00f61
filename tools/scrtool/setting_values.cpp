#include "tools/scrtool/setting_values.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "common/ansi_text.h"
#include "common/ascii.h"
#include "common/int_convert.h"
#include "package/property_text.h"
#include "package/type_info.h"
#include "tools/scrtool/usage_error.h"
#include "tools/scrtool/effect_list.h"

namespace scr::tool {

namespace {

// Set from the packaged items by the writer, never by hand.
constexpr std::string_view kItemSettings[] = {
    "PicCommaList",   "PicFileNamesCommaList",   "SndCommaList",       "SndFileNamesCommaList", "SndSizesCommaList",
    "FlashCommaList", "FlashFileNamesCommaList", "FlashSizesCommaList", "HookPosition",          "HookSize"};

bool IsItemSetting(std::string_view name) {
  return std::any_of(std::begin(kItemSettings), std::end(kItemSettings),
                     [&](std::string_view n) { return SameText(n, name); });
}

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t up = row[j];
      const bool same = AsciiLowerCase(std::string(1, a[i - 1])) == AsciiLowerCase(std::string(1, b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

// The known name closest to an unknown one: a Boolean's name without its "l", or the
// font's name without "TextFont.", counts as a near miss.
std::optional<std::string> Closest(const std::vector<std::string>& names, std::string_view typed) {
  std::optional<std::string> best;
  size_t bestDistance = std::max<size_t>(2, typed.size() / 3) + 1;
  for (const std::string& name : names) {
    std::string_view bare = name;
    if (bare.size() > 1 && bare[0] == 'l' && bare[1] >= 'A' && bare[1] <= 'Z') bare.remove_prefix(1);
    if (bare.starts_with("TextFont.")) bare.remove_prefix(9);
    const size_t d = std::min(EditDistance(name, typed), EditDistance(bare, typed));
    if (d < bestDistance) {
      bestDistance = d;
      best = name;
    }
  }
  return best;
}

const TPropertyRef* FindRef(const std::vector<TPropertyRef>& refs, std::string_view name) {
  for (const TPropertyRef& r : refs)
    if (SameText(r.path, name)) return &r;
  return nullptr;
}

[[noreturn]] void Refuse(std::string_view name, std::string_view value, const std::string& forms) {
  throw EUsage(std::string(name) + ": '" + std::string(value) + "' is not accepted; " + forms);
}

std::string Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return std::string(text);
}

std::string BooleanText(std::string_view name, std::string_view value) {
  const std::string v = AsciiLowerCase(Trimmed(value));
  for (const char* yes : {"true", "yes", "on", "1"})
    if (v == yes) return "True";
  for (const char* no : {"false", "no", "off", "0"})
    if (v == no) return "False";
  Refuse(name, value, "give true/false, yes/no, on/off or 1/0");
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string ColourText(std::string_view name, std::string_view value) {
  const std::string v = Trimmed(value);
  if (v.size() == 7 && v[0] == '#') {
    int32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
      const int d = HexDigit(v[i]);
      if (d < 0) Refuse(name, value, "#RRGGBB takes six hexadecimal digits, e.g. #FFCC00");
      rgb = rgb * 16 + d;
    }
    const int32_t bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return std::to_string(bgr);
  }
  if (IdentToInt(ColorType(), v)) return v;
  if (IdentToInt(ColorType(), "cl" + v)) return "cl" + v;
  if (TryStrToInt(v)) return v;
  Refuse(name, value,
         "give a colour name with or without 'cl' (white, clNavy, yellow, black, ...), #RRGGBB (#FFCC00) or a "
         "number ($00BBGGRR)");
}

std::string StyleText(std::string_view name, std::string_view value) {
  std::string v = Trimmed(value);
  if (v.size() >= 2 && v.front() == '[' && v.back() == ']') v = v.substr(1, v.size() - 2);
  std::string out;
  size_t i = 0;
  while (i <= v.size()) {
    const size_t end = v.find_first_of(",+ ", i);
    const std::string item = Trimmed(std::string_view(v).substr(i, end == std::string::npos ? std::string::npos : end - i));
    if (!item.empty() && !SameText(item, "regular") && !SameText(item, "none")) {
      std::string element;
      if (NameToOrdinal(FontStylesType(), item))
        element = item;
      else if (NameToOrdinal(FontStylesType(), "fs" + item))
        element = "fs" + item;
      else
        Refuse(name, value,
               "give style names with or without 'fs', separated by commas: bold, italic, underline, strikeout "
               "(or regular for none)");
      out += (out.empty() ? "" : ",") + element;
    }
    if (end == std::string::npos) break;
    i = end + 1;
  }
  return "[" + out + "]";
}

}  // namespace

int32_t ParseMonitorMode(std::string_view typed) {
  const std::string v = AsciiLowerCase(Trimmed(typed));
  if (v == "black" || v == "0") return kMonitorsBlack;
  if (v == "same" || v == "1") return kMonitorsSame;
  if (v == "different" || v == "2") return kMonitorsDifferent;
  Refuse("MonitorMode", typed,
         "give black (0: the other displays dark), same (1: the show on every display) or different (2: a "
         "different picture on each)");
}

void ApplyMakeDefaults(TSSFileLocations& s) {
  s.SetlExitKeyPress(true);
  s.SetlExitMouseMove(true);
  s.SetlExitMouseClick(true);
  s.SetInterval(5000);
  s.SetlRandomStyle(true);
  std::vector<int> all(kLastEffect);  // 0..126: every effect a list may hold
  for (int i = 0; i < kLastEffect; ++i) all[static_cast<size_t>(i)] = i;
  s.SetEffectCommaList(EffectCommaText(all));
  s.TextFont().SetColor(0x00FFFFFF);
  s.TextFont().SetHeight(-24);
  s.TextFont().SetName("Arial");
  // The show people expect today: no bars, slow motion, a caption that reads on any
  // screen; no repeats follows lRandomPic (FinishMakeDefaults).
  s.SetFillMode(1);
  s.SetPanZoom(8);
  s.SetlCaptionScaled(true);
}

void FinishMakeDefaults(TSSFileLocations& s, const std::vector<std::pair<std::string, std::string>>& given) {
  const bool named = std::any_of(given.begin(), given.end(), [](const auto& nv) { return SameText(nv.first, "lNoRepeat"); });
  if (!named) s.SetlNoRepeat(s.lRandomPic());
}

std::vector<std::string> SettableNames(const TSSFileLocations& settings) {
  std::vector<std::string> names;
  for (const TPropertyRef& r : ListProperties(settings))
    if (!IsItemSetting(r.path) && r.path != "Name") names.push_back(r.path);
  return names;
}

std::string CanonicalSettingName(const TSSFileLocations& settings, std::string_view name) {
  const std::vector<TPropertyRef> refs = ListProperties(settings);
  const TPropertyRef* ref = FindRef(refs, name);
  if (ref != nullptr && IsItemSetting(ref->path))
    throw EUsage(ref->path + " is set from the pictures, sounds, movies and hook library given");
  if (ref == nullptr || ref->path == "Name") {
    std::string message = "unknown setting '" + std::string(name) + "'";
    if (const auto near = Closest(SettableNames(settings), name)) message += "; did you mean " + *near + "?";
    throw EUsage(message + " ('scrtool make --help' lists the settings)");
  }
  return ref->path;
}

void SetSetting(TSSFileLocations& settings, std::string_view typedName, std::string_view value) {
  const std::string name = CanonicalSettingName(settings, typedName);
  const std::vector<TPropertyRef> refs = ListProperties(settings);
  const TTypeInfo& type = *FindRef(refs, name)->info->type;
  if (!IsValidUtf8(value)) Refuse(name, value, "text must be UTF-8");
  std::string text(value);
  if (name == "Interval") {
    // A plain whole number is the milliseconds the setting holds, negative ones too
    // (what a saver made elsewhere may carry); anything else needs its unit.
    text = TryStrToInt(Trimmed(value)) ? Trimmed(value) : std::to_string(ParseMilliseconds(value));
  } else if (name == "MonitorMode") {
    text = std::to_string(ParseMonitorMode(value));
  } else if (name == "EffectCommaList") {
    // An empty list is a list too: every picture then changes by effect 0.
    text = Trimmed(value).empty() ? "" : EffectCommaText(ParseEffectList(value));
  } else if (&type == &BooleanType()) {
    text = BooleanText(name, value);
  } else if (&type == &ColorType()) {
    text = ColourText(name, value);
  } else if (&type == &FontStylesType()) {
    text = StyleText(name, value);
  }
  // The presentation settings take a few values only; the show reads others as 0.
  struct TRange {
    std::string_view name;
    int32_t last;
    const char* forms;
  };
  for (const TRange& r : {TRange{"FillMode", 2, "give 0 (colour), 1 (blur) or 2 (crop)"},
                          TRange{"PanZoom", 30, "give a percentage 0..30 (0: still pictures)"},
                          TRange{"CaptionMode", 1, "give 0 (Text on every picture) or 1 (each picture's description)"}}) {
    if (name != r.name) continue;
    const std::optional<int32_t> v = TryStrToInt(Trimmed(value));
    if (!v || *v < 0 || *v > r.last) Refuse(name, value, r.forms);
    text = std::to_string(*v);
  }
  try {
    SetPropertyText(settings, name, text);
  } catch (const std::exception&) {
    if (&type == &CharsetType()) Refuse(name, value, "give a character set name (DEFAULT_CHARSET, GREEK_CHARSET, ...) or 0..255");
    if (&type == &FontPitchType()) Refuse(name, value, "give fpDefault, fpVariable or fpFixed");
    Refuse(name, value, "give a whole number");
  }
}

int32_t ParseMilliseconds(std::string_view typed) {
  const std::string forms = "give a value with its unit (5s, 1500ms, 1m) or whole milliseconds (5000)";
  const std::string v = AsciiLowerCase(Trimmed(typed));
  size_t numberEnd = 0;
  while (numberEnd < v.size() && (std::isdigit(static_cast<unsigned char>(v[numberEnd])) || v[numberEnd] == '.' ||
                                  (numberEnd == 0 && (v[0] == '-' || v[0] == '+'))))
    ++numberEnd;
  const std::string number = v.substr(0, numberEnd);
  const std::string unit = Trimmed(std::string_view(v).substr(numberEnd));
  double scale = 0;
  if (unit.empty() || unit == "ms") scale = 1;
  if (unit == "s" || unit == "sec") scale = 1000;
  if (unit == "m" || unit == "min") scale = 60000;
  double amount = 0;
  size_t used = 0;
  try {
    amount = std::stod(number, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (scale == 0 || used == 0 || used != number.size() || !std::isfinite(amount))
    Refuse("Interval", typed, forms);
  if (amount < 0) Refuse("Interval", typed, "it cannot be negative; " + forms);
  const double ms = std::round(amount * scale);
  if (ms > std::numeric_limits<int32_t>::max()) Refuse("Interval", typed, "it is too long; " + forms);
  return static_cast<int32_t>(ms);
}

TRgb ColourToRgb(int32_t colour) {
  if (colour < 0 || colour > 0x00FFFFFF) return {};
  return {static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
          static_cast<uint8_t>((colour >> 16) & 0xFF)};
}

}  // namespace scr::tool

namespace scr::tool {

int32_t ParseIntervalOption(std::string_view typed) {
  const std::string v = Trimmed(typed);
  if (!v.empty() && std::all_of(v.begin(), v.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '.'; }))
    throw EUsage("--interval: '" + v + "' has no unit; give " + v + "s for " + v + " seconds or " + v +
                 "ms for " + v + " milliseconds (5s and 5000ms are the same)");
  return ParseMilliseconds(typed);
}

}  // namespace scr::tool
