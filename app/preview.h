#pragma once
// The preview mode: the package's first picture drawn once, scaled into the preview
// window of the display control panel, until that window is hidden.
#include <cstdint>
#include <string_view>

#include "platform/platform.h"

namespace scr::app {

// How long one turn of the preview's waits may sleep when no message comes: the
// waits test the window's visibility between turns without keeping a core busy.
inline constexpr uint32_t kPreviewPollMs = 20;

// Converts the second argument to the preview window's handle (EConvertError when it
// is not an integer), waits until the window is visible, draws the first package item
// scaled to the window's rectangle plus one pixel in each direction, and returns once
// the window is hidden again. A short trailer returns at once without drawing; a first
// item that is not an image stream raises the stream reader's error (nothing drawn). A
// handle that names no window, or a window that is destroyed while waiting, ends the
// preview as well.
void RunPreview(platform::TPlatform& platform, std::string_view secondArgument);

}  // namespace scr::app
