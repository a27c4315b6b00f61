#pragma once
// Saver files for the runtime's tests, made with the project's own package builder.
#include <cstdint>
#include <string>
#include <vector>

#include "common/bitmap24.h"

namespace scr::test {

// A picture whose every pixel differs from its neighbours, so scaling faults show.
TBitmap24 PatternBitmap(int width, int height);

// Bytes standing in for the runtime executable (no package).
std::vector<uint8_t> FakeRuntime(size_t size = 4096);

// A saver whose first package item is the picture as a "TBitmap" image stream.
std::vector<uint8_t> PreviewSaver(const TBitmap24& picture);

// What the preview should show of picture in a window of width x height: the picture
// scaled to one pixel more in each direction, cut to the window.
TBitmap24 ExpectedPreview(const TBitmap24& picture, int width, int height);

}  // namespace scr::test
