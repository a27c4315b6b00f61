#include "saver/music_playlist.h"

#include <exception>

#include "app/extract.h"
#include "app/paths.h"
#include "common/random.h"

namespace scr::saver {

namespace {

constexpr int32_t kSoundRandomShuffle = 2;
constexpr int32_t kSoundRandomRepeatFirst = 3;

}  // namespace

TMusicPlaylist::TMusicPlaylist(platform::TPlatform& platform, IMusicHost& host)
    : p_(platform), host_(host), player_(platform.Media().CreateMediaPlayer()) {
  player_->SetOnNotify([this](platform::TMPNotifyValue value) { mpSaverNotify(value); });
}

TMusicPlaylist::~TMusicPlaylist() { Close(); }

void TMusicPlaylist::Start() {
  if (started_ || !player_) return;
  started_ = true;
  NextSound();
}

void TMusicPlaylist::NextSound() {
  if (!player_) return;
  const TSSFileLocations& s = host_.MusicSettings();
  const int32_t count = s.SndCount();
  if (count == 0 || s.lMute()) return;

  int32_t index = host_.SndIndex();
  // An index outside the list is never used.
  if (index > count - 1 || index < 0) index = 0;
  if (s.SoundRandom() == kSoundRandomShuffle) index = static_cast<int32_t>(Random(static_cast<uint32_t>(count)));
  // A track whose name could not be written at set-up is passed over, as the next
  // track in the order would follow it; with none written, nothing plays.
  const app::TExtractedNames names = app::ExtractedNames(s);
  for (int32_t tried = 1; names.sounds[static_cast<size_t>(index)].empty(); ++tried) {
    if (tried >= count) return;
    if (s.SoundRandom() == kSoundRandomShuffle)
      index = static_cast<int32_t>(Random(static_cast<uint32_t>(count)));
    else if (s.SoundRandom() != kSoundRandomRepeatFirst)
      index = (index + 1) % count;
    else
      return;
  }
  host_.SetSndIndex(index);

  // Music is optional: a track that cannot be opened or started is skipped without a
  // message. No notice comes for it, so nothing plays after it.
  try {
    player_->SetFileName(app::JoinPath(app::GetTempDir(p_.System()), names.sounds[static_cast<size_t>(index)]));
    player_->Open();
    player_->Play();
  } catch (const std::exception&) {
  }

  player_->SetNotify(true);
  if (s.SoundRandom() != kSoundRandomRepeatFirst) host_.SetSndIndex(index + 1);
}

void TMusicPlaylist::mpSaverNotify(platform::TMPNotifyValue value) {
  if (!player_) return;
  if (value == platform::TMPNotifyValue::Successful) failures_ = 0;
  if (value == platform::TMPNotifyValue::Failure) ++failures_;
  // The no-notify request is used up by the stop, so the stop sends no notice that
  // would start yet another track.
  player_->SetNotify(false);
  player_->Stop();
  const int32_t count = host_.MusicSettings().SndCount();
  if (failures_ >= (count > 0 ? count : 1)) {
    // Every track failed in a row: the device cannot play any of them.
    player_->Close();
    return;
  }
  NextSound();
  if (player_) player_->SetNotify(true);
}

void TMusicPlaylist::Close() {
  if (!player_) return;
  player_->Close();
  player_.reset();
}

}  // namespace scr::saver
