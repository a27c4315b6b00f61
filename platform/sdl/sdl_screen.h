#pragma once
// The screen of the Linux player: screen windows on the desktop's stage whose client
// areas are canvases presented through SDL, timers of the loop, the cursor's show
// count, caption text through FreeType; the Windows-only services answer as absent.
#include <memory>

#include "platform/freetype/freetype_text.h"
#include "platform/loop_screen.h"
#include "platform/sdl/sdl_desktop.h"

namespace scr::platform::sdl {

class TSdlScreen : public TTextLoopScreen<TFreeTypeText> {
 public:
  explicit TSdlScreen(TSdlDesktop& desktop) : TTextLoopScreen(desktop), desktop_(desktop) {}

  std::unique_ptr<IScreenWindow> CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) override;
  // Black full-screen windows on the other displays (full screen only).
  std::unique_ptr<IWindow> CreateCoverWindow(const TRect& bounds, IScreenWindowEvents* events) override;

 private:
  void ApplyCursor(bool visible) override;

  TSdlDesktop& desktop_;
};

}  // namespace scr::platform::sdl
