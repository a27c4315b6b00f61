#pragma once
// The screen of the Linux player: screen windows on the desktop's stage whose client
// areas are canvases presented through SDL, timers of the loop, the cursor's show
// count, caption text through FreeType; the Windows-only services answer as absent.
#include <functional>
#include <memory>

#include "platform/freetype/freetype_text.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_desktop.h"

namespace scr::platform::sdl {

class TSdlScreen : public IScreen {
 public:
  explicit TSdlScreen(TSdlDesktop& desktop) : desktop_(desktop) {}

  std::unique_ptr<IScreenWindow> CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) override;
  // With one display in use there is nothing to cover.
  // Black full-screen windows on the other displays (full screen only).
  std::unique_ptr<IWindow> CreateCoverWindow(const TRect& bounds, IScreenWindowEvents* events) override;
  void SetIdleHandler(std::function<void()> handler) override { desktop_.SetIdleHandler(std::move(handler)); }
  std::unique_ptr<ITimer> CreateTimer() override;
  int ShowCursor(bool show) override;
  bool SetScreenSaverRunning(bool running) override;
  uint32_t SysColor(int index) override;
  std::unique_ptr<IRegistryKey> OpenCurrentUserKey(const std::string& path) override;
  bool CallVerifyScreenSavePwd(TProcAddress proc, TWindowHandle window) override;
  TTextSize TextExtent(const TTextFont& font, std::string_view text) override { return text_.Extent(font, text); }
  void DrawTextAt(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) override {
    text_.Draw(bitmap, x, y, font, text);
  }

 private:
  TSdlDesktop& desktop_;
  TFreeTypeText text_;
  int cursorCount_ = 0;
};

}  // namespace scr::platform::sdl
