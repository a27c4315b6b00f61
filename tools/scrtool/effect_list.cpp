#include "tools/scrtool/effect_list.h"

#include <charconv>
#include <optional>

#include "common/ascii.h"
#include "tools/scrtool/usage_error.h"
#include "transition/effect_catalog.h"

namespace scr::tool {

namespace {

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::string FamilyNames() {
  std::string names;
  for (std::string_view f : EffectFamilies()) names += (names.empty() ? "" : ", ") + std::string(f);
  return names + ", all";
}

[[noreturn]] void Refuse(std::string_view item, const std::string& why) {
  throw EUsage("effect list: '" + std::string(item) + "' " + why +
               "; give numbers 0.." + std::to_string(kLastEffect) + ", ranges such as 60-68, or families (" +
               FamilyNames() + "); 'scrtool effects' lists them all");
}

int EffectNumber(std::string_view item, std::string_view text) {
  const std::optional<int> n = Number(text);
  if (!n) Refuse(item, "is not an effect number, range or family");
  if (*n < 0 || *n > kLastEffect) Refuse(item, "is out of range");
  return *n;
}

void AddItem(std::string_view item, std::vector<int>& out) {
  if (const auto family = EffectsOfFamily(AsciiLowerCase(std::string(item)))) {
    out.insert(out.end(), family->begin(), family->end());
    return;
  }
  const size_t dash = item.find('-', 1);
  if (dash != std::string_view::npos && item.front() != '-') {
    const int from = EffectNumber(item, item.substr(0, dash));
    const int to = EffectNumber(item, item.substr(dash + 1));
    if (from > to) Refuse(item, "runs backwards");
    for (int n = from; n <= to; ++n) out.push_back(n);
    return;
  }
  out.push_back(EffectNumber(item, item));
}

}  // namespace

std::vector<int> ParseEffectList(std::string_view text) {
  std::vector<int> out;
  size_t i = 0;
  while (i < text.size()) {
    const size_t end = text.find_first_of(", \t", i);
    const std::string_view item = text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
    if (!item.empty()) AddItem(item, out);
    if (end == std::string_view::npos) break;
    i = end + 1;
  }
  if (out.empty()) throw EUsage("effect list is empty; 'scrtool effects' lists the effects and families");
  return out;
}

std::string EffectCommaText(const std::vector<int>& effects) {
  std::string text;
  for (int e : effects) text += (text.empty() ? "" : ",") + std::to_string(e);
  return text;
}

}  // namespace scr::tool
