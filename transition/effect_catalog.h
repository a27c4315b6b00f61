#pragma once
// Names for the 128 transition styles: each number's family and a short description,
// as people choose them (the effects listing, effect lists given by family, the gallery).

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace scr {

struct TEffectInfo {
  int number;
  std::string_view family;  // "wipes", "slides", ... ("instant" for style 0)
  std::string_view name;    // a short description, lower case
};

// All 128 styles, indexed by number.
std::span<const TEffectInfo> EffectCatalog();

// The family names in the order they are listed, "instant" excluded.
std::span<const std::string_view> EffectFamilies();

// The style numbers of a family name, or of "all" (0..126, the styles a settings effect
// list may hold); nothing for an unknown name.
std::optional<std::vector<int>> EffectsOfFamily(std::string_view family);

}  // namespace scr
