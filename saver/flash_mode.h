#pragma once
// Movie mode of the saver window: the keyboard hook and its exit rule, the movie player
// control sized to the screen, the one-second timer that moves from movie to movie, and
// the movie's "quit" command.
#include <cstdint>
#include <memory>
#include <string_view>

#include "hook/hook_host.h"
#include "hook/wexel_notify.h"
#include "platform/message_dialog.h"
#include "platform/movie_control.h"
#include "platform/platform.h"
#include "saver/saver_parts.h"

namespace scr::saver {

// The hook rule's counters, program-wide; zeroed by StartHook.
extern int32_t HookMoveCount;
extern int32_t HookClickCount;
extern int32_t HookKeyCount;

// Where the user is sent when the movie control is missing.
inline constexpr const char* kMoviePlayerDownloadPage = "http://www.example.com/go/getflashplayer/";

// Input message numbers the hook rule looks at.
inline constexpr uint32_t kMsgKeyUp = 0x101;
inline constexpr uint32_t kMsgMouseMove = 0x200;
inline constexpr uint32_t kMsgLeftButtonDown = 0x201;
inline constexpr uint32_t kMsgRightButtonDown = 0x204;
inline constexpr uint32_t kMsgMiddleButtonDown = 0x207;

// The system services movie mode needs beyond the platform's common ones.
struct TFlashServices {
  IHookHost& hooks;
  platform::IMovieControls& movies;
  platform::IMessageDialogs& dialogs;
};

// Movie mode with the platform's own services.
std::unique_ptr<IFlashPart> CreateFlashPart(platform::TPlatform& platform);

class TFlashMode final : public IFlashPart {
 public:
  // Made with the window (TimerFlash: disabled, 1000 ms).
  TFlashMode(platform::TPlatform& platform, TFlashServices services);
  ~TFlashMode() override;
  TFlashMode(const TFlashMode&) = delete;
  TFlashMode& operator=(const TFlashMode&) = delete;

  // IFlashPart: StartHook, CreateFlash, and NextMovie when the package has no pictures;
  // once only (later calls return false at once).
  bool Start(TfrmScrn& form) override;
  // Frees the control and the hook component (later, when the window goes from inside
  // one of their own events).
  void Destroying(TfrmScrn& form) override;

  void StartHook();
  // False when the control is missing: the question has been asked and the window closed.
  bool CreateFlash();
  void NextMovie();
  void TimerFlashTimer();
  void FlashFSCommand(std::u16string_view command, std::u16string_view args);
  void HookMessage(TWexelNotify& sender, TNuvMessage M, bool& fDiscard);

  platform::IMovieControl* Flash() { return flash_.get(); }
  TWexelNotify* Notify() { return notify_.get(); }
  platform::ITimer& TimerFlash() { return *timerFlash_; }

 private:
  TfrmScrn& Form();
  void AskForTheControl();

  platform::TPlatform& p_;
  TFlashServices services_;
  TfrmScrn* form_ = nullptr;
  std::unique_ptr<platform::ITimer> timerFlash_;
  std::unique_ptr<platform::IMovieControl> flash_;
  std::unique_ptr<TWexelNotify> notify_;
  // Set while an event of the control or of the hook component runs: freeing its source
  // then waits until this object goes.
  int inControlEvent_ = 0;
  int inHookEvent_ = 0;
  bool started_ = false;
  bool destroyed_ = false;
};

}  // namespace scr::saver
