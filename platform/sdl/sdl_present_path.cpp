#include "platform/sdl/sdl_present_path.h"

#include <algorithm>
#include <cctype>

namespace scr::platform::sdl {

namespace {

bool SameLetters(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool Contains(std::string_view text, std::string_view word) {
  return std::search(text.begin(), text.end(), word.begin(), word.end(), SameLetters) != text.end();
}

bool Equal(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameLetters);
}

}  // namespace

bool IsSoftwareRasteriser(std::string_view glRenderer) {
  // Mesa's rasterisers on the processor ("llvmpipe (LLVM 15.0.6, 256 bits)",
  // "softpipe", "Software Rasterizer" of the old swrast), also under a layer such as
  // "zink (llvmpipe ...)".
  for (std::string_view name : {"llvmpipe", "softpipe", "software rasterizer", "swrast"})
    if (Contains(glRenderer, name)) return true;
  return false;
}

bool SurfaceAsked(bool software, std::string_view driverHint) { return software || Equal(driverHint, "software"); }

bool SurfaceBetter(const TRendererFacts& facts) {
  if (facts.software) return true;
  if (!facts.driverHint.empty()) return false;
  return IsSoftwareRasteriser(facts.glRenderer);
}

}  // namespace scr::platform::sdl
