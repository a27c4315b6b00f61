#pragma once
// What the media players of the backends with one event loop share: the one-shot notify
// request that each command uses up, and the completion notices, which reach the owner
// from the loop (never from inside a command): a track that played to its end reports
// success, a play that replaces, or a stop that ends, a play that asked for a notice
// reports superseded or aborted. The backend opens, plays and stops the real track.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/loop_desktop.h"
#include "platform/media_player.h"

namespace scr::platform {

class TLoopMediaPlayer : public IMediaPlayer {
 public:
  ~TLoopMediaPlayer() override { *alive_ = false; }

  void SetFileName(const std::string& name) override { fileName_ = name; }
  const std::string& FileName() const override { return fileName_; }
  void Stop() override;
  void Close() override {
    Consume();
    CloseDevice();
  }
  void SetNotify(bool notify) override { request_ = notify ? TRequest::Notify : TRequest::NoNotify; }
  void SetOnNotify(std::function<void(TMPNotifyValue)> onNotify) override { onNotify_ = std::move(onNotify); }

 protected:
  explicit TLoopMediaPlayer(TLoopDesktop& desktop) : desktop_(desktop) {}

  enum class TRequest : uint8_t { None, Notify, NoNotify };
  // Every command uses up the pending request.
  TRequest Consume() {
    ++commands_;
    return std::exchange(request_, TRequest::None);
  }
  // The start of Play: uses up the request, fails when nothing is open, and supersedes
  // the play that still waits for its notice. Whether this play asks for one.
  bool BeginPlay();
  // This play asks for its notice when it ends.
  void AwaitNotice(bool notify) { pendingNotice_ = notify; }
  // The play ended: the notice it asked for, saying why.
  void EndPlay(TMPNotifyValue value) {
    if (std::exchange(pendingNotice_, false)) Post(value);
  }
  void Post(TMPNotifyValue value);
  // A track that failed: the failure notice comes from the loop unless another
  // command came first.
  void PostFailure();
  // The backend stops the track (ending its play), or closes the device.
  virtual void StopTrack() = 0;
  virtual void CloseDevice() = 0;

  std::string fileName_;

 private:
  void Notify(TMPNotifyValue value);

  TLoopDesktop& desktop_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool pendingNotice_ = false;
  TRequest request_ = TRequest::None;
  uint64_t commands_ = 0;  // counts the commands: a stale failure is dropped
  std::function<void(TMPNotifyValue)> onNotify_;
};

}  // namespace scr::platform
