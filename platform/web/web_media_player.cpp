#include "platform/web/web_media_player.h"

#include <map>
#include <utility>

#include "platform/web/web_bridge.h"

namespace scr::platform::web {

namespace {

class TWebMediaPlayer;

std::map<int, TWebMediaPlayer*>& Players() {
  static std::map<int, TWebMediaPlayer*> players;
  return players;
}

int NextId() {
  static int last = 0;
  return ++last;
}

class TWebMediaPlayer : public IMediaPlayer {
 public:
  explicit TWebMediaPlayer(TWebMedia& media) : media_(media), id_(NextId()), alive_(std::make_shared<bool>(true)) {
    Players()[id_] = this;
  }
  ~TWebMediaPlayer() override {
    *alive_ = false;
    Players().erase(id_);
    CloseDevice();
  }

  void SetFileName(const std::string& name) override { fileName_ = name; }
  const std::string& FileName() const override { return fileName_; }

  void Open() override {
    Consume();
    CloseDevice();
    const std::shared_ptr<const TWebFiles::TBytes> bytes = media_.Files().Get(fileName_);
    if (!bytes) throw EMediaPlayerError(kMediaFileNotFound);
    // A track the browser cannot decode opens as one whose playing fails at once: its
    // failure notice moves the playlist on to the next track.
    undecodable_ = !JsAudioOpen(id_, bytes->data(), bytes->size(), WebPath(fileName_));
    open_ = true;
  }

  void Play() override {
    const bool notify = Consume() != TRequest::NoNotify;
    if (!IsOpen()) throw EMediaPlayerError(kMediaNotOpen);
    if (pendingNotice_) Post(TMPNotifyValue::Superseded);
    pendingNotice_ = false;
    playing_ = false;
    if (undecodable_) {
      if (notify) Post(TMPNotifyValue::Failure);
      return;
    }
    JsAudioStop(id_);
    if (!JsAudioPlay(id_)) throw EMediaPlayerError(kMediaCannotPlay);
    playing_ = true;
    pendingNotice_ = notify;
  }

  void Stop() override {
    const bool notify = Consume() == TRequest::Notify;
    if (!IsOpen()) return;
    StopTrack();
    if (notify) Post(TMPNotifyValue::Successful);
  }

  void Close() override {
    Consume();
    CloseDevice();
  }
  bool IsOpen() const override { return open_; }
  void SetNotify(bool notify) override { request_ = notify ? TRequest::Notify : TRequest::NoNotify; }
  void SetOnNotify(std::function<void(TMPNotifyValue)> onNotify) override { onNotify_ = std::move(onNotify); }

  // The track of this play ran to its end.
  void Ended() {
    if (!playing_) return;
    playing_ = false;
    if (std::exchange(pendingNotice_, false)) Post(TMPNotifyValue::Successful);
  }

 private:
  enum class TRequest : uint8_t { None, Notify, NoNotify };
  TRequest Consume() { return std::exchange(request_, TRequest::None); }

  void StopTrack() {
    if (playing_) JsAudioStop(id_);
    playing_ = false;
    if (std::exchange(pendingNotice_, false)) Post(TMPNotifyValue::Aborted);
  }

  void CloseDevice() {
    if (!IsOpen()) return;
    StopTrack();
    JsAudioClose(id_);
    open_ = false;
    undecodable_ = false;
  }

  // Notices reach the owner from the loop, never from inside a command.
  void Post(TMPNotifyValue value) {
    std::shared_ptr<bool> alive = alive_;
    media_.Desktop().Post([this, alive, value] {
      if (*alive && onNotify_) {
        const std::function<void(TMPNotifyValue)> handler = onNotify_;
        handler(value);
      }
    });
  }

  TWebMedia& media_;
  const int id_;
  std::shared_ptr<bool> alive_;
  std::string fileName_;
  bool open_ = false;
  bool undecodable_ = false;
  bool playing_ = false;
  bool pendingNotice_ = false;
  TRequest request_ = TRequest::None;
  std::function<void(TMPNotifyValue)> onNotify_;
};

}  // namespace

std::unique_ptr<IMediaPlayer> TWebMedia::CreateMediaPlayer() { return std::make_unique<TWebMediaPlayer>(*this); }

void TWebMedia::TrackEnded(int id) {
  const auto it = Players().find(id);
  if (it != Players().end()) it->second->Ended();
}

}  // namespace scr::platform::web
