#pragma once
// The gallery's web page: one tile per effect (its clip, number, family and name), a
// filter by family, a larger view on click, and the numbers of the marked tiles as a
// comma list ready to paste into an effect list. Self-contained: it loads only the
// clips beside it, so it works from a local folder without a network.
#include <string>

namespace scr::tool {

// The clip file of an effect, as the page names it: effect-005.webp.
std::string ClipFileName(int number);

// The whole index.html for clips of width x height pixels.
std::string GalleryPage(int width, int height);

}  // namespace scr::tool
