#pragma once
// The music playlist of the saver window: the hidden media player mpSaver plays the
// package's sound files (extracted into the temporary directory at set-up) one after
// another, each track's completion notice starting the next, until the saver closes.
//
// Order by SoundRandom: 2 a random track for every change (repeats allowed, drawn from
// the program-wide generator, so every run plays the same sequence); 3 the first track
// over and over; anything else list order, wrapping after the last. With no sound
// files, or with lMute set, nothing is ever opened. A track that set-up could not
// write (its name is no plain file name) is passed over for the next one in the order. A track that cannot be opened or
// started is skipped silently; since it then sends no notice, the music stops there.
// A track whose playing fails (the device's failure notice) leads to the next one, but
// once every track of the list has failed in a row (a system without audio output
// fails each play at once) the music stops too, instead of cycling through the list
// as fast as the device can answer.
#include <cstdint>
#include <memory>

#include "package/settings.h"
#include "platform/media_player.h"
#include "platform/platform.h"

namespace scr::saver {

// What the playlist needs from the window that owns it: its settings record (read at
// every change, as the window may replace it) and its SndIndex.
class IMusicHost {
 public:
  virtual ~IMusicHost() = default;
  virtual const TSSFileLocations& MusicSettings() = 0;
  virtual int32_t SndIndex() = 0;
  virtual void SetSndIndex(int32_t index) = 0;
};

class TMusicPlaylist {
 public:
  // Creates the player mpSaver (nothing open) and binds its completion event.
  TMusicPlaylist(platform::TPlatform& platform, IMusicHost& host);
  ~TMusicPlaylist();
  TMusicPlaylist(const TMusicPlaylist&) = delete;
  TMusicPlaylist& operator=(const TMusicPlaylist&) = delete;

  // Starts the first track; later calls, and calls after Close, do nothing.
  void Start();
  // Opens and starts the next track.
  void NextSound();
  // Completion event of mpSaver: stops the player without a notice of its own and
  // starts the next track.
  void mpSaverNotify(platform::TMPNotifyValue value);
  // Closes the device and frees the player, so the track files are no longer held
  // and may be deleted; notices still on their way are dropped. Idempotent.
  void Close();

  // The player, empty after Close.
  platform::IMediaPlayer* mpSaver() { return player_.get(); }
  bool Started() const { return started_; }
  // Failure notices since the last track that ended normally.
  int32_t FailuresInARow() const { return failures_; }

 private:
  platform::TPlatform& p_;
  IMusicHost& host_;
  std::unique_ptr<platform::IMediaPlayer> player_;
  bool started_ = false;
  int32_t failures_ = 0;
};

}  // namespace scr::saver
