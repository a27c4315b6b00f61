#include "saver/screen_saver.h"

#include <cstdlib>

#include "app/extract.h"
#include "app/globals.h"
#include "app/paths.h"
#include "common/int_convert.h"
#include "package/package_reader.h"
#include "transition/transition_view.h"

namespace scr::saver {

int32_t MouseSkipCount = 0;

namespace {

// Where the window stands until set-up makes it cover the screen.
constexpr TRect kDesignBounds{0, 0, 640, 480};
constexpr int kBtnFace = 15;

}  // namespace

TfrmScrn::TfrmScrn(platform::TPlatform& platform, TSaverParts parts)
    : p_(platform),
      parts_(std::move(parts)),
      monitors_(TMonitorShows::TRules{
          [this](uint16_t key, platform::TShiftBits shift) { FormKeyDown(key, shift); },
          [this](platform::TShiftBits shift, int x, int y) { FormMouseMove(shift, x, y); },
          [this](platform::TButton b, platform::TShiftBits shift, int x, int y) { PShowMouseDown(b, shift, x, y); }}) {
  platform::TWindowSpec desc;
  desc.caption = "frmScrn";
  desc.bounds = kDesignBounds;
  desc.color = p_.Screen().SysColor(kBtnFace);
  desc.borderless = true;
  window_ = p_.Screen().CreateScreenWindow(desc, this);
  pshow_ = std::make_unique<TShowView>(window_->TransitionHost());
  pshow_->OnMouseMove = [this](platform::TShiftBits shift, int x, int y) { FormMouseMove(shift, x, y); };
  pshow_->OnMouseDown = [this](platform::TButton b, platform::TShiftBits shift, int x, int y) {
    PShowMouseDown(b, shift, x, y);
  };
  // The shows on the other displays step with this one.
  pshow_->Control().OnProgress = [this](TCustomTransitionView& view) { monitors_.FollowProgress(view.Progress()); };
  FormCreate();
}

TfrmScrn::~TfrmScrn() {
  monitors_.Close();
  // The control paints into the window's client area: it goes first.
  pshow_.reset();
  window_.reset();
}

void TfrmScrn::FormCreate() {
  initializing_ = true;
  slideTimer_ = p_.Screen().CreateTimer();
  slideTimer_->SetEnabled(false);
  picIndex_ = sndIndex_ = flashIndex_ = effectIndex_ = 0;
  settings_ = std::make_unique<TSSFileLocations>();
}

void TfrmScrn::FormShow() { window_->HideTaskbarEntry(); }

void TfrmScrn::FormActivate() {
  // A message box shown during set-up (the movie mode's) activates the window again:
  // set-up under way is not started a second time.
  if (!initializing_ || settingUp_) return;
  settingUp_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{settingUp_};
  Setup();
}

std::string TfrmScrn::ExecutableDirectory() {
  const std::string exe = p_.System().ExecutablePath();
  const size_t cut = exe.find_last_of("\\/:");
  return cut == std::string::npos ? std::string() : exe.substr(0, cut + 1);
}

void TfrmScrn::ReadMuteChoice() {
  // The value reads as an integer (decimal or hexadecimal); anything else, or no
  // value, leaves the package's choice.
  const std::string text = p_.Profile().ReadString(app::JoinPath(ExecutableDirectory(), kControlIni), "Setup",
                                                   "mute", "");
  settings_->SetlMute(StrToIntDef(text, settings_->lMute() ? 1 : 0) != 0);
}

void TfrmScrn::Setup() {
  std::unique_ptr<TStream> file = p_.Files().OpenRead(p_.System().ExecutablePath());
  try {
    if (!ReadSettingsInto(*file, *settings_, p_.System().AnsiDecoder())) return;  // short trailer: nothing more runs
  } catch (const Exception&) {
    // Unreadable settings: the program ends at the next turn of its loop; set-up goes
    // on with what was read.
    p_.Application().Terminate();
  }
  slideTimer_->SetInterval(static_cast<uint32_t>(settings_->Interval() > 0 ? settings_->Interval() : 0));
  slideTimer_->SetOnTimer([this] { NextPicture(); });
  app::ExtractMediaFiles(p_, *file, *settings_);
  ReadMuteChoice();
  app::ExtractHookLibrary(p_, *file, *settings_);
  if (settings_->IsFlash() && parts_.flash) {
    if (!parts_.flash->Start(*this)) return;
  }
  if (!settings_->lShowMouseCursor()) p_.Screen().ShowCursor(false);
  file.reset();
  window_->SetColor(0);
  window_->SetBounds(p_.Windowing().ScreenRect());
  p_.Screen().SetIdleHandler([this] { AppIdle(); });
  window_->MakeTopmost();
  lastMouseX_ = -1;
  lastMouseY_ = -1;
  mousePointKnown_ = false;
  saverRunningSet_ = true;
  p_.Screen().SetScreenSaverRunning(true);
  monitors_.Match(p_, MonitorModeInUse(), window_->Bounds());
  window_->Show();
  initializing_ = false;
  if (parts_.music) parts_.music->SetupDone(*this);
}

void TfrmScrn::FormKeyDown(uint16_t, platform::TShiftBits) {
  if (settings_->lExitKeyPress()) CloseSaver();
}

void TfrmScrn::MouseMove(platform::TShiftBits shift, int x, int y) {
  // Over the picture show control the move is the control's; its handler is ours.
  const TRect r = pshow_->BoundsRect();
  if (pshow_->Visible() && x >= r.left && x < r.right && y >= r.top && y < r.bottom)
    pshow_->MouseMove(shift, x - r.left, y - r.top);
  else
    FormMouseMove(shift, x, y);
}

void TfrmScrn::MouseDown(platform::TButton button, platform::TShiftBits shift, int x, int y) {
  // Only the picture show control reacts to clicks.
  const TRect r = pshow_->BoundsRect();
  if (pshow_->Visible() && x >= r.left && x < r.right && y >= r.top && y < r.bottom)
    pshow_->MouseDown(button, shift, x - r.left, y - r.top);
}

void TfrmScrn::FormMouseMove(platform::TShiftBits, int x, int y) {
  if (initializing_ || !settings_->lExitMouseMove()) return;
  if (MouseSkipCount > 0) {
    --MouseSkipCount;
    return;
  }
  if (!mousePointKnown_) {
    mousePointKnown_ = true;
    lastMouseX_ = x;
    lastMouseY_ = y;
    return;
  }
  // Both axes, each by at least 3 pixels from the remembered point.
  if (std::abs(x - lastMouseX_) > 2 && std::abs(y - lastMouseY_) > 2) {
    lastMouseX_ = x;
    lastMouseY_ = y;
    CloseSaver();
  }
}

void TfrmScrn::PShowMouseDown(platform::TButton, platform::TShiftBits, int, int) {
  if (!initializing_ && settings_->lExitMouseClick()) CloseSaver();
}

void TfrmScrn::AppIdle() {
  // The start message is posted until the show has started; after that the idle turn
  // has nothing to do, so the loop can wait instead of spinning on its own messages.
  if (!showStarted_) p_.Windowing().PostMessageTo(window_->Handle(), WM_STARTSHOW, 0, 0);
}

bool TfrmScrn::UserMessage(uint32_t message, uintptr_t, intptr_t) {
  switch (message) {
    case WM_STARTSHOW: StartShow(); return true;
    case WM_STOPSHOW:
      slideTimer_->SetEnabled(false);
      CloseSaver();
      return true;
    default: return false;
  }
}

bool TfrmScrn::PasswordAccepts() {
  std::unique_ptr<platform::IRegistryKey> key = p_.Screen().OpenCurrentUserKey(kDesktopKey);
  if (!key) return true;
  p_.Screen().ShowCursor(true);
  bool close = true;
  try {
    if (key->ReadInteger(kUsePasswordValue) != 0) {
      std::unique_ptr<platform::ILibrary> library =
          p_.System().OpenLibrary(app::JoinPath(app::GetSystemDir(p_.System()), kPasswordLibrary));
      if (library) {
        const platform::TProcAddress verify = library->FindExport(kVerifyPasswordExport);
        // A library without the export cannot ask: the saver closes as without one.
        close = verify == 0 || p_.Screen().CallVerifyScreenSavePwd(verify, window_->Handle());
      }
    }
  } catch (...) {
    close = true;
  }
  p_.Screen().ShowCursor(false);
  return close;
}

void TfrmScrn::CloseSaver() {
  if (app::RunMode != app::TRunMode::rmSaver) {
    window_->Close();
    return;
  }
  MouseSkipCount = 5;
  if (!PasswordAccepts()) return;
  pshow_->Stop();
  window_->Close();
}

void TfrmScrn::FormClose() {
  monitors_.Close();
  p_.Screen().SetScreenSaverRunning(false);
  saverRunningSet_ = false;
  p_.Screen().SetIdleHandler({});
  window_->ReleaseMouseCapture();
  p_.Screen().ShowCursor(true);
}

void TfrmScrn::FormDestroy() {
  monitors_.Close();
  if (parts_.music) parts_.music->Destroying(*this);
  app::DeleteExtractedSounds(p_, *settings_);
  if (parts_.flash) parts_.flash->Destroying(*this);
  // A run that ended without closing (the application told to terminate) must not
  // leave the system believing a screen saver still runs.
  if (saverRunningSet_) {
    saverRunningSet_ = false;
    p_.Screen().SetScreenSaverRunning(false);
    p_.Screen().SetIdleHandler({});
  }
  slideTimer_->SetEnabled(false);
  if (motionTimer_) motionTimer_->SetEnabled(false);
  prepared_.reset();
  settings_ = std::make_unique<TSSFileLocations>();
}

}  // namespace scr::saver
