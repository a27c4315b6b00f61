#include "platform/win32/win32_media_player.h"

#include <exception>
#include <string>
#include <utility>

#include "platform/win32/win32_api.h"
#include "platform/handler_guard.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_desktop.h"

// After the Windows headers: the multimedia command interface.
#include <mmsystem.h>

namespace scr::platform::win32 {

namespace {

constexpr const char* kPlayerClass = "TScrMediaPlayer";

// The device's own text for an error number.
std::string MciErrorText(MCIERROR code) {
  char text[256] = {};
  if (mciGetErrorStringA(code, text, sizeof text) && text[0] != 0) return text;
  return "MCI error " + std::to_string(code);
}

TMPNotifyValue NoticeFromCode(WPARAM code) {
  switch (code) {
    case MCI_NOTIFY_SUCCESSFUL: return TMPNotifyValue::Successful;
    case MCI_NOTIFY_SUPERSEDED: return TMPNotifyValue::Superseded;
    case MCI_NOTIFY_ABORTED: return TMPNotifyValue::Aborted;
    default: return TMPNotifyValue::Failure;
  }
}

class TWin32MediaPlayer : public IMediaPlayer {
 public:
  explicit TWin32MediaPlayer(TWin32Desktop& desktop);
  ~TWin32MediaPlayer() override;

  void SetFileName(const std::string& name) override { fileName_ = name; }
  const std::string& FileName() const override { return fileName_; }
  void Open() override;
  void Play() override;
  void Stop() override;
  void Close() override;
  bool IsOpen() const override { return device_ != 0; }
  void SetNotify(bool notify) override { request_ = notify ? TRequest::Notify : TRequest::NoNotify; }
  void SetOnNotify(std::function<void(TMPNotifyValue)> onNotify) override { onNotify_ = std::move(onNotify); }

  // From the window procedure.
  void Notice(WPARAM code) {
    // A copy: the handler may replace the handler or free the player's device.
    const auto handler = onNotify_;
    if (handler) handler(NoticeFromCode(code));
  }
  TWin32Desktop& Desktop() { return desktop_; }

 private:
  enum class TRequest : uint8_t { None, Notify, NoNotify };
  TRequest Consume() { return std::exchange(request_, TRequest::None); }
  void CloseDevice();

  TWin32Desktop& desktop_;
  HWND window_ = nullptr;
  std::string fileName_;
  MCIDEVICEID device_ = 0;
  TRequest request_ = TRequest::None;
  std::function<void(TMPNotifyValue)> onNotify_;
};

LRESULT CALLBACK PlayerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* player = reinterpret_cast<TWin32MediaPlayer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  if (msg == MM_MCINOTIFY && player) {
    // Every notice raises the completion event, whatever its result code.
    GuardHandler([&] { player->Notice(wp); }, [player](const char* what) { player->Desktop().ShowException(what); });
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterPlayerClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PlayerWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kPlayerClass;
  registered = RegisterClassExA(&wc) != 0;
}

TWin32MediaPlayer::TWin32MediaPlayer(TWin32Desktop& desktop) : desktop_(desktop) {
  RegisterPlayerClass();
  // A message-only window: never shown, it only receives the notices.
  window_ = CreateWindowExA(0, kPlayerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                            this);
}

TWin32MediaPlayer::~TWin32MediaPlayer() {
  CloseDevice();
  // Notices still queued for the window go with it.
  if (window_) DestroyWindow(window_);
}

void TWin32MediaPlayer::CloseDevice() {
  if (device_ == 0) return;
  MCI_GENERIC_PARMS parms{};
  mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parms));
  device_ = 0;
}

void TWin32MediaPlayer::Open() {
  Consume();
  CloseDevice();
  MCI_OPEN_PARMSW parms{};
  const std::wstring element = Wide(fileName_);
  parms.lpstrElementName = element.c_str();
  // No device type: the system chooses the device from the file.
  const MCIERROR err =
      mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parms));
  if (err != 0) throw EMediaPlayerError(MciErrorText(err));
  device_ = parms.wDeviceID;
}

void TWin32MediaPlayer::Play() {
  const bool notify = Consume() != TRequest::NoNotify;
  if (device_ == 0) throw EMediaPlayerError(MciErrorText(MCIERR_INVALID_DEVICE_ID));
  MCI_PLAY_PARMS parms{};
  parms.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
  // From the current position, without waiting.
  const MCIERROR err =
      mciSendCommandA(device_, MCI_PLAY, notify ? MCI_NOTIFY : 0, reinterpret_cast<DWORD_PTR>(&parms));
  if (err != 0) throw EMediaPlayerError(MciErrorText(err));
}

void TWin32MediaPlayer::Stop() {
  const bool notify = Consume() == TRequest::Notify;
  if (device_ == 0) return;
  MCI_GENERIC_PARMS parms{};
  parms.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
  mciSendCommandA(device_, MCI_STOP, MCI_WAIT | (notify ? MCI_NOTIFY : 0), reinterpret_cast<DWORD_PTR>(&parms));
}

void TWin32MediaPlayer::Close() {
  Consume();
  CloseDevice();
}

}  // namespace

std::unique_ptr<IMediaPlayer> TWin32Media::CreateMediaPlayer() { return std::make_unique<TWin32MediaPlayer>(desktop_); }

}  // namespace scr::platform::win32
