#pragma once
// Black windows over the displays (or parts of displays) beside the saver window, so
// that nothing of the desktop stays visible beside the saver. They are shown with the
// saver window and closed with it; their key and mouse events go through the saver window's exit rules, with their
// points moved into the saver window's client coordinates, so that the pointer
// crossing from one display to another is one movement.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "common/geometry.h"
#include "platform/platform.h"
#include "platform/screen.h"

namespace scr::saver {

class TCoverWindows {
 public:
  // What the saver window does with the input of a cover, points in its own client
  // coordinates.
  struct TRules {
    std::function<void(uint16_t key, platform::TShiftBits shift)> keyDown;
    std::function<void(platform::TShiftBits shift, int x, int y)> mouseMove;
    std::function<void(platform::TButton button, platform::TShiftBits shift, int x, int y)> mouseDown;
  };

  explicit TCoverWindows(TRules rules);
  ~TCoverWindows();
  TCoverWindows(const TCoverWindows&) = delete;
  TCoverWindows& operator=(const TCoverWindows&) = delete;

  // Makes the covers match bounds (screen coordinates): covers already over one of
  // them stay, the others close, the missing ones open and show. saver is the saver
  // window's rectangle, whose client coordinates the input is given in.
  void Match(platform::TPlatform& p, const std::vector<TRect>& bounds, const TRect& saver);
  // Closes every cover.
  void Close();
  size_t Count() const { return covers_.size(); }

 private:
  class TCover;
  TRules rules_;
  std::vector<std::unique_ptr<TCover>> covers_;
};


}  // namespace scr::saver
