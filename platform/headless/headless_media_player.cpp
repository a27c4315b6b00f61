#include "platform/headless/headless_media_player.h"

#include <algorithm>
#include <utility>

namespace scr::platform::headless {

namespace {

const char* NoticeName(TMPNotifyValue v) {
  switch (v) {
    case TMPNotifyValue::Successful: return "successful";
    case TMPNotifyValue::Superseded: return "superseded";
    case TMPNotifyValue::Aborted: return "aborted";
    case TMPNotifyValue::Failure: return "failure";
  }
  return "?";
}

TMPNotifyValue NoticeFromCode(uintptr_t code) {
  switch (code) {
    case 1: return TMPNotifyValue::Successful;
    case 2: return TMPNotifyValue::Superseded;
    case 4: return TMPNotifyValue::Aborted;
    default: return TMPNotifyValue::Failure;
  }
}

}  // namespace

uint32_t MciNotifyCode(TMPNotifyValue value) {
  switch (value) {
    case TMPNotifyValue::Successful: return 1;
    case TMPNotifyValue::Superseded: return 2;
    case TMPNotifyValue::Aborted: return 4;
    case TMPNotifyValue::Failure: return 8;
  }
  return 8;
}

class THeadlessMediaPlayer : public IMediaPlayer {
 public:
  explicit THeadlessMediaPlayer(THeadlessMedia& media) : media_(media) {
    TWindowSpec desc;
    desc.caption = "MediaPlayer";
    desc.bounds = TRect{};
    window_ = media_.Desktop().CreateTopWindow(desc, nullptr);
    media_.Desktop().SetMessageHandler(window_->Handle(), [this](uint32_t m, uintptr_t wp, intptr_t lp) {
      if (m != kMciNotifyMessage) return false;
      Notice(NoticeFromCode(wp), static_cast<uint32_t>(lp));
      return true;
    });
  }
  ~THeadlessMediaPlayer() override {
    CloseDevice();
    media_.Gone(this);
    // Notices still queued for the window are dropped with it.
    window_.reset();
  }

  void SetFileName(const std::string& name) override { fileName_ = name; }
  const std::string& FileName() const override { return fileName_; }

  void Open() override {
    Consume();
    CloseDevice();
    const std::string entry = "MciOpen " + fileName_;
    if (media_.OpenFails(fileName_)) Fail(entry, kMediaCannotPlay);
    if (!media_.Files().Exists(fileName_)) Fail(entry, kMediaFileNotFound);
    try {
      file_ = media_.Files().OpenRead(fileName_);
    } catch (const Exception&) {
      Fail(entry, kMediaFileNotFound);
    }
    media_.Log().Add(entry);
    openFile_ = fileName_;
    device_ = media_.NextDeviceId();
  }

  void Play() override {
    const bool notify = Consume() != TRequest::NoNotify;
    const std::string entry = std::string("MciPlay") + (notify ? " notify" : "");
    if (!IsOpen()) Fail(entry, kMediaNotOpen);
    if (media_.PlayFails(openFile_)) Fail(entry, kMediaCannotPlay);
    media_.Log().Add(entry);
    if (pendingNotice_) Post(TMPNotifyValue::Superseded);
    playing_ = true;
    pendingNotice_ = notify;
    media_.Started(openFile_);
    if (media_.NoAudioOutput()) Report(TMPNotifyValue::Failure);
  }

  void Stop() override {
    const bool notify = Consume() == TRequest::Notify;
    if (!IsOpen()) return;
    media_.Log().Add(std::string("MciStop") + (notify ? " notify" : ""));
    if (pendingNotice_) Post(TMPNotifyValue::Aborted);
    pendingNotice_ = false;
    playing_ = false;
    if (notify) Post(TMPNotifyValue::Successful);
  }

  void Close() override {
    Consume();
    CloseDevice();
  }
  bool IsOpen() const override { return file_ != nullptr; }

  void SetNotify(bool notify) override { request_ = notify ? TRequest::Notify : TRequest::NoNotify; }
  void SetOnNotify(std::function<void(TMPNotifyValue)> onNotify) override { onNotify_ = std::move(onNotify); }

  // Used by THeadlessMedia.
  bool Playing() const { return playing_; }
  const std::string& OpenFile() const { return openFile_; }
  bool Finish() {
    if (!playing_) return false;
    playing_ = false;
    if (!pendingNotice_) return false;
    pendingNotice_ = false;
    Post(TMPNotifyValue::Successful);
    return true;
  }
  bool Report(TMPNotifyValue value) {
    if (!IsOpen()) return false;
    playing_ = false;
    if (std::exchange(pendingNotice_, false)) Post(value);
    return true;
  }

 private:
  enum class TRequest : uint8_t { None, Notify, NoNotify };

  TRequest Consume() { return std::exchange(request_, TRequest::None); }

  [[noreturn]] void Fail(const std::string& entry, const char* text) {
    media_.Log().Add(entry + " failed");
    throw EMediaPlayerError(text);
  }

  void CloseDevice() {
    if (!IsOpen()) return;
    media_.Log().Add("MciClose");
    if (pendingNotice_) Post(TMPNotifyValue::Aborted);
    pendingNotice_ = false;
    playing_ = false;
    file_.reset();
    openFile_.clear();
  }

  void Post(TMPNotifyValue value) {
    media_.Desktop().PostMessageTo(window_->Handle(), kMciNotifyMessage, MciNotifyCode(value), device_);
  }

  void Notice(TMPNotifyValue value, uint32_t device) {
    media_.Log().Add(std::string("MciNotify ") + NoticeName(value));
    if (onNotify_) onNotify_(value);
  }

  THeadlessMedia& media_;
  std::unique_ptr<IWindow> window_;
  std::string fileName_;
  std::string openFile_;
  std::unique_ptr<TStream> file_;  // held while the device is open
  uint32_t device_ = 0;
  bool playing_ = false;
  bool pendingNotice_ = false;
  TRequest request_ = TRequest::None;
  std::function<void(TMPNotifyValue)> onNotify_;
};

THeadlessMedia::~THeadlessMedia() = default;

std::unique_ptr<IMediaPlayer> THeadlessMedia::CreateMediaPlayer() {
  auto player = std::make_unique<THeadlessMediaPlayer>(*this);
  players_.push_back(player.get());
  return player;
}

void THeadlessMedia::Gone(THeadlessMediaPlayer* player) {
  players_.erase(std::remove(players_.begin(), players_.end(), player), players_.end());
}

std::string THeadlessMedia::Playing() const {
  if (players_.empty() || !players_.back()->Playing()) return {};
  return players_.back()->OpenFile();
}

bool THeadlessMedia::FinishTrack() { return !players_.empty() && players_.back()->Finish(); }

bool THeadlessMedia::PostNotice(TMPNotifyValue value) { return !players_.empty() && players_.back()->Report(value); }

}  // namespace scr::platform::headless
