#include "platform/web/web_media_player.h"

#include <map>
#include <utility>

#include "platform/loop_media_player.h"
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

class TWebMediaPlayer : public TLoopMediaPlayer {
 public:
  explicit TWebMediaPlayer(TWebMedia& media) : TLoopMediaPlayer(media.Desktop()), media_(media), id_(NextId()) {
    Players()[id_] = this;
  }
  ~TWebMediaPlayer() override {
    Players().erase(id_);
    CloseDevice();
  }

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
    const bool notify = BeginPlay();
    playing_ = false;
    if (undecodable_) {
      if (notify) Post(TMPNotifyValue::Failure);
      return;
    }
    JsAudioStop(id_);
    if (!JsAudioPlay(id_)) throw EMediaPlayerError(kMediaCannotPlay);
    playing_ = true;
    AwaitNotice(notify);
  }

  bool IsOpen() const override { return open_; }

  // The track of this play ran to its end.
  void Ended() {
    if (!playing_) return;
    playing_ = false;
    EndPlay(TMPNotifyValue::Successful);
  }

 private:
  void StopTrack() override {
    if (playing_) JsAudioStop(id_);
    playing_ = false;
    EndPlay(TMPNotifyValue::Aborted);
  }

  void CloseDevice() override {
    if (!IsOpen()) return;
    StopTrack();
    JsAudioClose(id_);
    open_ = false;
    undecodable_ = false;
  }

  TWebMedia& media_;
  const int id_;
  bool open_ = false;
  bool undecodable_ = false;
  bool playing_ = false;
};

}  // namespace

std::unique_ptr<IMediaPlayer> TWebMedia::CreateMediaPlayer() { return std::make_unique<TWebMediaPlayer>(*this); }

void TWebMedia::TrackEnded(int id) {
  const auto it = Players().find(id);
  if (it != Players().end()) it->second->Ended();
}

}  // namespace scr::platform::web
