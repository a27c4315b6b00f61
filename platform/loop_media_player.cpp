#include "platform/loop_media_player.h"

namespace scr::platform {

void TLoopMediaPlayer::Stop() {
  const bool notify = Consume() == TRequest::Notify;
  if (!IsOpen()) return;
  StopTrack();
  if (notify) Post(TMPNotifyValue::Successful);
}

bool TLoopMediaPlayer::BeginPlay() {
  const bool notify = Consume() != TRequest::NoNotify;
  if (!IsOpen()) throw EMediaPlayerError(kMediaNotOpen);
  if (pendingNotice_) Post(TMPNotifyValue::Superseded);
  pendingNotice_ = false;
  return notify;
}

void TLoopMediaPlayer::Notify(TMPNotifyValue value) {
  if (!onNotify_) return;
  const std::function<void(TMPNotifyValue)> handler = onNotify_;
  handler(value);
}

void TLoopMediaPlayer::Post(TMPNotifyValue value) {
  std::shared_ptr<bool> alive = alive_;
  desktop_.Post([this, alive, value] {
    if (*alive) Notify(value);
  });
}

void TLoopMediaPlayer::PostFailure() {
  const uint64_t commands = ++commands_;
  std::shared_ptr<bool> alive = alive_;
  desktop_.Post([this, alive, commands] {
    if (*alive && commands == commands_) Notify(TMPNotifyValue::Failure);
  });
}

}  // namespace scr::platform
