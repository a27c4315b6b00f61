#include "tools/scrtool/frame_size.h"

#include <charconv>
#include <string>

#include "tools/scrtool/cli.h"

namespace scr::tool {

namespace {

// Digits only, at most nine of them so that the value fits an int.
std::optional<int> Side(std::string_view text) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

std::optional<TFrameSize> ParseFrameSize(std::string_view text, int minSide, int maxSide) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> width = Side(text.substr(0, x)), height = Side(text.substr(x + 1));
  if (!width || !height) return std::nullopt;
  for (const int side : {*width, *height})
    if (side < minSide || side > maxSide) return std::nullopt;
  return TFrameSize{*width, *height};
}

TFrameSize FrameSizeOption(std::string_view option, std::string_view text, int minSide, int maxSide) {
  if (const auto size = ParseFrameSize(text, minSide, maxSide)) return *size;
  throw EUsage(std::string(option) + " takes WxH, each side " + std::to_string(minSide) + " to " +
               std::to_string(maxSide) + ", not '" + std::string(text) + "'");
}

}  // namespace scr::tool
