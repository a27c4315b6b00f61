#pragma once
// The headless media player: a fake device that records every command in the call
// log ("MciOpen C:\TEMP\a.wav", "MciPlay notify", "MciStop", "MciClose",
// "MciNotify successful"), opens only files that exist in the memory file system
// (holding them open, so they cannot be deleted meanwhile, as on the system), can be
// told which files fail to open or to play, and delivers completion notices through
// the message queue to the player's own hidden window, as the system does.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/headless/call_log.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/memory_files.h"
#include "platform/media_player.h"

namespace scr::platform::headless {

class THeadlessMediaPlayer;

class THeadlessMedia : public IMedia {
 public:
  THeadlessMedia(TCallLog& log, THeadlessDesktop& desktop, TMemoryFileSystem& files)
      : log_(log), desktop_(desktop), files_(files) {}
  ~THeadlessMedia() override;

  std::unique_ptr<IMediaPlayer> CreateMediaPlayer() override;

  // Test set-up and inspection.
  // Opening (or playing) the file, named as the player is given it, fails with the
  // device's text for an unplayable file.
  void FailOpen(const std::string& path) { failOpen_.insert(path); }
  void FailPlay(const std::string& path) { failPlay_.insert(path); }
  // Without audio output every play is accepted and fails at once with a failure
  // notice (when it asked for one), as the system's wave device does then.
  void SetNoAudioOutput(bool none) { noAudio_ = none; }
  bool NoAudioOutput() const { return noAudio_; }
  // The files whose playing started, in order, over all players.
  const std::vector<std::string>& Played() const { return played_; }
  // The file being played now by the newest player, empty when it plays nothing.
  std::string Playing() const;
  // Ends the track being played: posts its completion notice (successful) when its
  // play asked for one. False when nothing plays or no notice was asked for.
  bool FinishTrack();
  // Posts a notice of the given kind for the newest player's device, as a device
  // does when playing fails midway (only when its play asked for a notice); false
  // without an open device.
  bool PostNotice(TMPNotifyValue value);
  // Players that exist now.
  size_t Players() const { return players_.size(); }

  // Used by the players.
  TCallLog& Log() { return log_; }
  THeadlessDesktop& Desktop() { return desktop_; }
  TMemoryFileSystem& Files() { return files_; }
  bool OpenFails(const std::string& path) const { return failOpen_.count(path) > 0; }
  bool PlayFails(const std::string& path) const { return failPlay_.count(path) > 0; }
  void Started(const std::string& path) { played_.push_back(path); }
  void Gone(THeadlessMediaPlayer* player);
  uint32_t NextDeviceId() { return nextDevice_++; }

 private:
  TCallLog& log_;
  THeadlessDesktop& desktop_;
  TMemoryFileSystem& files_;
  std::set<std::string> failOpen_, failPlay_;
  std::vector<std::string> played_;
  std::vector<THeadlessMediaPlayer*> players_;
  bool noAudio_ = false;
  uint32_t nextDevice_ = 1;
};

// The notice message and its codes, as the system sends them.
inline constexpr uint32_t kMciNotifyMessage = 0x3B9;
uint32_t MciNotifyCode(TMPNotifyValue value);

}  // namespace scr::platform::headless
