#pragma once
// The headless screen: screen windows whose client areas are in-memory canvases (and
// can be snapshotted, or written to a folder frame by frame), timers on the desktop's
// virtual clock, scripted key and mouse input, the cursor's show count, the "screen
// saver running" flag, a fake registry of the current user, a fake password dialog,
// and caption text drawn with FreeType.
//
// Frame recording: when the environment variable SCR_HEADLESS_FRAMES names a folder,
// every repaint that reaches a screen window writes the whole screen there as
// frame-NNNNNN.bmp.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/call_log.h"
#include "platform/headless/headless_desktop.h"
#include "platform/screen.h"

namespace scr::platform {
class TFreeTypeText;
}

namespace scr::platform::headless {

class THeadlessCoverWindow;
class THeadlessScreenWindow;
class THeadlessTimer;

class THeadlessScreen : public IScreen {
 public:
  THeadlessScreen(TCallLog& log, THeadlessDesktop& desktop);
  ~THeadlessScreen() override;

  std::unique_ptr<IScreenWindow> CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) override;
  std::unique_ptr<IWindow> CreateCoverWindow(const TRect& bounds, IScreenWindowEvents* events) override;
  void SetIdleHandler(std::function<void()> handler) override;
  std::unique_ptr<ITimer> CreateTimer() override;
  int ShowCursor(bool show) override;
  bool SetScreenSaverRunning(bool running) override;
  uint32_t SysColor(int index) override;
  std::unique_ptr<IRegistryKey> OpenCurrentUserKey(const std::string& path) override;
  bool CallVerifyScreenSavePwd(TProcAddress proc, TWindowHandle window) override;
  TTextSize TextExtent(const TTextFont& font, std::string_view text) override;
  void DrawTextAt(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) override;

  // Test set-up and inspection.
  // The cursor's display count (0 at start; shown while >= 0).
  int CursorCount() const { return cursorCount_; }
  bool ScreenSaverRunning() const { return saverRunning_; }
  // A key of the current user (created empty by SetRegistryKey, gone by
  // RemoveRegistryKey) and its integer values; a value set to nothing is removed, a
  // text value makes ReadInteger fail as for a value of another type.
  void SetRegistryKey(const std::string& path);
  void RemoveRegistryKey(const std::string& path);
  void SetRegistryInteger(const std::string& path, const std::string& name, std::optional<int32_t> value);
  void SetRegistryText(const std::string& path, const std::string& name, const std::string& value);
  // What the fake password dialog answers (true: accepted).
  void SetPasswordAnswer(bool accepted) { passwordAnswer_ = accepted; }
  // Input posted like the system's input messages, dispatched by the message loop.
  // Keys go to the topmost visible screen window (the one created last among those
  // shown). The mouse, at (x, y) in screen coordinates, goes to the visible cover
  // window under it, else to the topmost visible screen window under it, else to the
  // topmost screen window; the window gets the point in its client coordinates.
  bool PostKeyDown(uint16_t key, TShiftBits shift = 0);
  bool PostMouseMove(int x, int y, TShiftBits shift = 0);
  bool PostMouseDown(TButton button, int x, int y, TShiftBits shift = 0);
  // The second press of a double-click, which the system posts as a message of its own.
  bool PostDoubleClick(TButton button, int x, int y, TShiftBits shift = 0);
  // A key for one window by handle (a screen or a cover window).
  bool PostKeyDownTo(TWindowHandle window, uint16_t key, TShiftBits shift = 0);
  // The cover windows that exist now, in the order they were made.
  struct TCoverState {
    TWindowHandle handle = 0;
    TRect bounds;
    bool visible = false;
  };
  std::vector<TCoverState> Covers() const;
  // The screen windows that exist now, in the order they were made.
  std::vector<TCoverState> ScreenWindows() const;
  // What the screen shows now: black, with every visible screen window's canvas at
  // its place.
  TBitmap24 Snapshot() const;
  // What the desk shows over area (screen coordinates): black, every visible screen
  // window's canvas at its place in the order they were shown, and the visible covers
  // (black) over them.
  TBitmap24 Snapshot(const TRect& area) const;
  // Repaints written so far (also without a recording folder).
  int FramesPresented() const { return framesPresented_; }
  // Called after every repaint that reached a screen window.
  std::function<void()> OnPresent;
  // Repaints what waits to be repainted in every visible screen window.
  void PaintPending();

  // Used by the windows and timers.
  void WindowGone(THeadlessScreenWindow* w);
  void CoverGone(THeadlessCoverWindow* c);
  void Presented();
  THeadlessDesktop& Desktop() { return desktop_; }
  TCallLog& Log() { return log_; }
  void TimerGone(uint32_t id);
  TWindowHandle TimerWindow();

 private:
  THeadlessScreenWindow* InputTarget() const;
  // The window the mouse at (x, y) reaches, with its bounds.
  std::optional<std::pair<TWindowHandle, TRect>> WindowAt(int x, int y) const;
  bool PostButton(uint32_t message, int x, int y, TShiftBits shift);

  TCallLog& log_;
  THeadlessDesktop& desktop_;
  std::vector<THeadlessScreenWindow*> windows_;
  std::vector<THeadlessCoverWindow*> covers_;
  std::function<void()> idle_;
  int cursorCount_ = 0;
  bool saverRunning_ = false;
  bool passwordAnswer_ = false;
  struct TRegValue {
    bool integer = true;
    int32_t value = 0;
  };
  std::map<std::string, std::map<std::string, TRegValue>> registry_;  // lower-cased key path
  int framesPresented_ = 0;
  std::string frameFolder_;
  std::map<uint32_t, THeadlessTimer*> timers_;
  uint32_t nextTimer_ = 1;
  std::unique_ptr<IWindow> timerWindow_;
  std::unique_ptr<TFreeTypeText> text_;

  friend class THeadlessTimer;
};

}  // namespace scr::platform::headless
