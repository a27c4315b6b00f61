#pragma once
// Effect lists as people write them: numbers (0..127), ranges ("60-68") and family
// names ("wipes", "all" for 0..126), separated by commas or spaces, mixed freely.
#include <string>
#include <string_view>
#include <vector>

namespace scr::tool {

inline constexpr int kLastEffect = 127;

// The effect numbers in the order given. Anything else raises EUsage naming the item
// and pointing to `scrtool effects`.
std::vector<int> ParseEffectList(std::string_view text);

// The numbers as the settings' comma text ("5,7,120").
std::string EffectCommaText(const std::vector<int>& effects);

}  // namespace scr::tool
