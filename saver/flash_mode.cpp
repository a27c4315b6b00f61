#include "saver/flash_mode.h"

#include <limits>

#include "app/extract.h"
#include "app/paths.h"
#include "common/ansi_text.h"
#include "common/ascii.h"
#include "common/errors.h"
#include "saver/screen_saver.h"
#include "setup/interface_texts.h"

namespace scr::saver {

int32_t HookMoveCount = 0;
int32_t HookClickCount = 0;
int32_t HookKeyCount = 0;

namespace {

// The counters only need to tell "more than a few"; they stop at the top instead of
// overflowing after two thousand million events.
void Count(int32_t& counter) {
  if (counter < std::numeric_limits<int32_t>::max()) ++counter;
}

bool IsButtonPress(uint32_t message) {
  return message == kMsgLeftButtonDown || message == kMsgRightButtonDown || message == kMsgMiddleButtonDown;
}

// Counts an event source's handler as running for as long as it lives.
class TInEvent {
 public:
  explicit TInEvent(int& depth) : depth_(depth) { ++depth_; }
  ~TInEvent() { --depth_; }
  TInEvent(const TInEvent&) = delete;
  TInEvent& operator=(const TInEvent&) = delete;

 private:
  int& depth_;
};

}  // namespace

std::unique_ptr<IFlashPart> CreateFlashPart(platform::TPlatform& platform) {
  return std::make_unique<TFlashMode>(platform,
                                      TFlashServices{platform.Hooks(), platform.Movies(), platform.Dialogs()});
}

TFlashMode::TFlashMode(platform::TPlatform& platform, TFlashServices services)
    : p_(platform), services_(services), timerFlash_(p_.Screen().CreateTimer()) {
  timerFlash_->SetEnabled(false);
  timerFlash_->SetInterval(1000);
  timerFlash_->SetOnTimer([this] { TimerFlashTimer(); });
}

TFlashMode::~TFlashMode() {
  timerFlash_->SetEnabled(false);
  flash_.reset();
  notify_.reset();
}

TfrmScrn& TFlashMode::Form() {
  if (!form_) throw Exception("Movie mode has not been started");
  return *form_;
}

bool TFlashMode::Start(TfrmScrn& form) {
  // The window is activated again when a message box of the start closes (the
  // question, the hook library's error) while its set-up has not finished: the start
  // runs once, and a second call ends that set-up here.
  if (started_) return false;
  started_ = true;
  form_ = &form;
  destroyed_ = false;
  StartHook();
  if (!CreateFlash()) return false;
  if (form.Settings().PicCount() == 0) NextMovie();
  return true;
}

void TFlashMode::Destroying(TfrmScrn&) {
  destroyed_ = true;
  timerFlash_->SetEnabled(false);
  // A source whose own event handler is running (the quit command, or an exit by the
  // hook rule) must not be freed under it; it goes with this object instead, and the
  // handlers ignore whatever it still reports.
  if (inControlEvent_ == 0) flash_.reset();
  if (inHookEvent_ == 0) notify_.reset();
}

void TFlashMode::StartHook() {
  HookMoveCount = 0;
  HookClickCount = 0;
  HookKeyCount = 0;
  notify_ = std::make_unique<TWexelNotify>(services_.hooks);
  notify_->LoadHookLibrary();
  notify_->OnMessage = [this](TWexelNotify& sender, TNuvMessage M, bool& fDiscard) {
    HookMessage(sender, M, fDiscard);
  };
  notify_->SetEnabled(true);
}

void TFlashMode::HookMessage(TWexelNotify&, TNuvMessage M, bool& fDiscard) {
  if (destroyed_ || !form_) return;
  TfrmScrn& form = *form_;
  if (form.Initializing()) return;
  // A notice without an event record (a system-modal dialog opening or closing) is no
  // input: it is neither counted nor answered.
  if (!M.EventMessage) return;
  const uint32_t message = *M.EventMessage;
  const TSSFileLocations& s = form.Settings();

  fDiscard = true;
  bool exit = false;
  if (message == kMsgMouseMove && s.lExitMouseMove() && HookMoveCount > 5) {
    exit = true;
    HookMoveCount = 0;
  } else {
    Count(HookMoveCount);
  }
  if (!s.lExitMouseMove()) {
    if (IsButtonPress(message) && s.lExitMouseClick() && HookClickCount > 1)
      exit = true;
    else
      Count(HookClickCount);
  }
  if (message == kMsgKeyUp && s.lExitKeyPress() && HookKeyCount > 1)
    exit = true;
  else
    Count(HookKeyCount);

  if (exit) {
    TInEvent in(inHookEvent_);
    form.CloseSaver();
  }
}

bool TFlashMode::CreateFlash() {
  TfrmScrn& form = Form();
  const TRect screen = p_.Windowing().ScreenRect();
  try {
    flash_ = services_.movies.CreateMovieControl(form.Window().Handle(),
                                                 TRect{0, 0, screen.right - screen.left, screen.bottom - screen.top});
  } catch (const Exception&) {
    flash_.reset();
  }
  if (!flash_) {
    AskForTheControl();
    return false;
  }
  flash_->SetOnFSCommand([this](std::u16string_view command, std::u16string_view args) {
    TInEvent in(inControlEvent_);
    FlashFSCommand(command, args);
  });
  return true;
}

void TFlashMode::AskForTheControl() {
  TfrmScrn& form = Form();
  const std::string text = setup::DownloadSwfQuestion(p_);
  if (services_.dialogs.InformationYesNo(form.Window().Handle(), text) == platform::TDialogAnswer::Yes)
    p_.Shell().Open(form.Window().Handle(), kMoviePlayerDownloadPage);
  form.Window().Close();
}

void TFlashMode::NextMovie() {
  if (!flash_ || destroyed_) return;
  TfrmScrn& form = Form();
  if (!flash_->Visible()) flash_->SetVisible(true);
  if (form.PShow().Visible()) form.PShow().SetVisible(false);
  const TSSFileLocations& s = form.Settings();
  const int32_t count = s.FlashCount();
  if (count == 0) return;
  timerFlash_->SetEnabled(false);
  if (form.FlashIndex() > count - 1 || form.FlashIndex() < 0) form.SetFlashIndex(0);
  flash_->Stop();
  // A movie the extraction could not name was never written: the control is not
  // pointed at it.
  const std::string name = app::ExtractedMovieName(s, form.FlashIndex());
  if (!name.empty())
    flash_->SetMovie(Utf8ToUtf16(app::JoinPath(app::GetTempDir(p_.System()), name)));
  try {
    flash_->Play();
  } catch (const Exception&) {
    // A movie that cannot be played is left as it is.
  }
  form.SetFlashIndex(form.FlashIndex() + 1);
  timerFlash_->SetEnabled(true);
}

void TFlashMode::TimerFlashTimer() {
  if (!flash_ || destroyed_) return;
  const int32_t total = flash_->TotalFrames();
  const int32_t current = flash_->CurrentFrame();
  if (current >= total) NextMovie();
}

void TFlashMode::FlashFSCommand(std::u16string_view command, std::u16string_view) {
  if (destroyed_ || !form_ || !flash_) return;
  if (!form_->Settings().lExitFSCommandQuit()) return;
  if (AsciiLowerCase(Utf16ToAnsi(command)) != "quit") return;
  flash_->StopPlay();
  form_->CloseSaver();
}

}  // namespace scr::saver
