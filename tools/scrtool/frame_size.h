#pragma once
// Sizes given as "WxH" on the command line and in manifests: screen and clip sizes,
// and the largest size pictures are shrunk to.
#include <optional>
#include <string_view>

namespace scr::tool {

struct TFrameSize {
  int width = 0, height = 0;
};

// "WxH" (or "WXH") in plain decimal digits with each side in [minSide, maxSide];
// nothing for anything else, signs and spaces included.
std::optional<TFrameSize> ParseFrameSize(std::string_view text, int minSide, int maxSide);

// The size an option gives; EUsage "OPTION takes WxH, each side MIN to MAX, not 'TEXT'"
// when it is not one.
TFrameSize FrameSizeOption(std::string_view option, std::string_view text, int minSide, int maxSide);

// The largest side of a frame a command renders: an 8K screen's width.
inline constexpr int kMaxFrameSide = 7680;

}  // namespace scr::tool
