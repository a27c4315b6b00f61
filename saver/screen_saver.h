#pragma once
// The saver window of saver mode, frmScrn: a borderless, topmost window covering the
// screen that hosts the picture show control PShow. It runs the saver's set-up on its
// first activation, plays the slide show (slide_show.cpp), and ends the saver on a key,
// a mouse move or click, as the settings say, after the screen-saver password has been
// verified where the user asked for one.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/shuffle_rounds.h"
#include "package/image.h"
#include "package/settings.h"
#include "platform/platform.h"
#include "platform/screen.h"
#include "saver/monitor_shows.h"
#include "saver/prepared_picture.h"
#include "saver/saver_parts.h"
#include "saver/show_view.h"

namespace scr::saver {

// The window's messages: start the slide show, and stop it and ask to exit.
inline constexpr uint32_t WM_STARTSHOW = 0x401;
inline constexpr uint32_t WM_STOPSHOW = 0x402;

// Mouse-move events of the saver window still to be ignored (set after a password
// prompt); 0 at program start.
extern int32_t MouseSkipCount;

// The registry value that says whether the screen-saver password is asked for, and
// the library and export that ask for it.
inline constexpr const char* kDesktopKey = "Control Panel\\Desktop";
inline constexpr const char* kUsePasswordValue = "ScreenSaveUsePassword";
inline constexpr const char* kPasswordLibrary = "PASSWORD.CPL";
inline constexpr const char* kVerifyPasswordExport = "VerifyScreenSavePwd";
// The user's mute choice beside the executable.
inline constexpr const char* kControlIni = "CONTROL.INI";

struct TSaverParts {
  std::unique_ptr<IMusicPart> music;
  std::unique_ptr<IFlashPart> flash;
};

class TfrmScrn : public platform::IScreenWindowEvents {
 public:
  // Creates the window (hidden) and runs FormCreate.
  explicit TfrmScrn(platform::TPlatform& platform, TSaverParts parts = {});
  ~TfrmScrn() override;
  TfrmScrn(const TfrmScrn&) = delete;
  TfrmScrn& operator=(const TfrmScrn&) = delete;

  platform::IScreenWindow& Window() { return *window_; }
  platform::TPlatform& Platform() { return p_; }

  // Form handlers.
  void FormCreate();
  void FormShow();
  void FormActivate();
  void FormKeyDown(uint16_t key, platform::TShiftBits shift);
  void FormMouseMove(platform::TShiftBits shift, int x, int y);
  void PShowMouseDown(platform::TButton button, platform::TShiftBits shift, int x, int y);
  void AppIdle();
  void FormClose();
  void FormDestroy();
  // The exit request.
  void CloseSaver();

  // The slide show.
  void StartShow();
  void NextPicture();
  void ComposePicture(TImage& record);
  // Redraws the held picture at its place in the motion (the motion timer's tick).
  void MoveHeldPicture();

  // State, for the parts and for tests.
  bool Initializing() const { return initializing_; }
  bool ShowStarted() const { return showStarted_; }
  int32_t PicIndex() const { return picIndex_; }
  // Pictures brought onto the screen so far: a portrait pair counts two.
  int64_t PicturesShown() const { return picturesShown_; }
  // Each redrawn frame of a moving picture, after it reached the screen (for tests).
  std::function<void(const TBitmap24& frame)> OnHeldFrame;
  int32_t EffectIndex() const { return effectIndex_; }
  int32_t SndIndex() const { return sndIndex_; }
  void SetSndIndex(int32_t v) { sndIndex_ = v; }
  int32_t FlashIndex() const { return flashIndex_; }
  void SetFlashIndex(int32_t v) { flashIndex_ = v; }
  int32_t LastMouseX() const { return lastMouseX_; }
  int32_t LastMouseY() const { return lastMouseY_; }
  TSSFileLocations& Settings() { return *settings_; }
  TShowView& PShow() { return *pshow_; }
  platform::ITimer& SlideTimer() { return *slideTimer_; }
  // The covers and shows over the other displays while the saver runs.
  const TMonitorShows& MonitorShows() const { return monitors_; }
  // The displays changed while the saver runs: the window follows the primary one,
  // the covers and shows the others.
  void FormDisplayChanged();

 private:
  // IScreenWindowEvents
  void Showing() override { FormShow(); }
  void Activated() override { FormActivate(); }
  void Closing() override { FormClose(); }
  void Destroyed() override { FormDestroy(); }
  bool UserMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) override;
  void DisplayChanged() override { FormDisplayChanged(); }
  void KeyDown(uint16_t key, platform::TShiftBits shift) override { FormKeyDown(key, shift); }
  void MouseMove(platform::TShiftBits shift, int x, int y) override;
  void MouseDown(platform::TButton button, platform::TShiftBits shift, int x, int y) override;

  void Setup();
  int32_t ChoosePicture();
  int PictureToShow(TStream& file, TImage& record, TBitmap24& picture, std::string& caption);
  void StartMotion();
  bool PasswordAccepts();
  void ReadMuteChoice();
  std::string ExecutableDirectory();
  // What the other displays show: the settings' MonitorMode; black for a movie saver.
  int32_t MonitorModeInUse() const;

  platform::TPlatform& p_;
  TSaverParts parts_;
  std::unique_ptr<platform::IScreenWindow> window_;
  std::unique_ptr<TShowView> pshow_;
  std::unique_ptr<platform::ITimer> slideTimer_;
  std::unique_ptr<TSSFileLocations> settings_;
  TMonitorShows monitors_;
  // The presentation: the prepared picture on show (none for plainly composed ones),
  // the redraw of a moving one, the shuffled order and a picture drawn ahead by a pair.
  std::unique_ptr<TPreparedPicture> prepared_;
  std::unique_ptr<platform::ITimer> motionTimer_;
  uint32_t motionStart_ = 0;
  TBitmap24 motionFrame_;
  TShuffleRounds shuffle_;
  int32_t pendingIndex_ = -1;
  int64_t picturesShown_ = 0;
  bool initializing_ = false;
  bool settingUp_ = false;
  bool showStarted_ = false;
  bool saverRunningSet_ = false;
  int32_t picIndex_ = 0, sndIndex_ = 0, flashIndex_ = 0, effectIndex_ = 0;
  int32_t lastMouseX_ = -1, lastMouseY_ = -1;
  // Whether a point is remembered: with displays left of or above the primary one,
  // (-1, -1) is a real point and cannot itself mean "none".
  bool mousePointKnown_ = false;
};

}  // namespace scr::saver
