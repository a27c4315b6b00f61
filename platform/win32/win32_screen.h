#pragma once
// Screen windows, timers, the idle handler, cursor, system parameter, registry,
// password check and caption text through the Windows API.
#include <functional>
#include <map>

#include "platform/screen.h"
#include "platform/win32/win32_desktop.h"

namespace scr::platform::win32 {

class TWin32Screen : public IScreen {
 public:
  // Registers the GDI metafile renderer for the picture classes.
  explicit TWin32Screen(TWin32Desktop& desktop);

  std::unique_ptr<IScreenWindow> CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) override;
  std::unique_ptr<IWindow> CreateCoverWindow(const TRect& bounds, IScreenWindowEvents* events) override;
  void SetIdleHandler(std::function<void()> handler) override { desktop_.SetIdleHandler(std::move(handler)); }
  std::unique_ptr<ITimer> CreateTimer() override;
  int ShowCursor(bool show) override;
  bool SetScreenSaverRunning(bool running) override;
  uint32_t SysColor(int index) override;
  std::unique_ptr<IRegistryKey> OpenCurrentUserKey(const std::string& path) override;
  bool CallVerifyScreenSavePwd(TProcAddress proc, TWindowHandle window) override;
  TTextSize TextExtent(const TTextFont& font, std::string_view text) override;
  void DrawTextAt(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) override;

 private:
  TWin32Desktop& desktop_;
};

}  // namespace scr::platform::win32
