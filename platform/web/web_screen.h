#pragma once
// The screen of the page: screen windows on the stage whose client areas are canvases
// presented to the page's canvas, timers of the loop, the cursor's show count, caption
// text through the canvas; the Windows-only services answer as absent.
#include <functional>
#include <memory>

#include "platform/screen.h"
#include "platform/web/web_desktop.h"
#include "platform/web/web_text.h"

namespace scr::platform::web {

class TWebScreen : public IScreen {
 public:
  explicit TWebScreen(TWebDesktop& desktop) : desktop_(desktop) {}

  std::unique_ptr<IScreenWindow> CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) override;
  // With one stage there is nothing to cover.
  std::unique_ptr<IWindow> CreateCoverWindow(const TRect&, IScreenWindowEvents*) override { return nullptr; }
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
  TWebDesktop& desktop_;
  TWebText text_;
  int cursorCount_ = 0;
};

}  // namespace scr::platform::web
