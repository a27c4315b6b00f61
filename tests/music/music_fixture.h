#pragma once
// A playlist on the headless backend: track files placed in the temporary directory,
// a settings record naming them, and the host's SndIndex kept in the fixture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/random.h"
#include "platform/headless/headless_platform.h"
#include "saver/music_playlist.h"

namespace scr::saver::test {

using platform::headless::THeadlessPlatform;

class MusicTest : public ::testing::Test, public IMusicHost {
 protected:
  MusicTest() { ResetProgramRandom(); }

  // The package's sound list: one entry per name, each extracted into the temporary
  // directory with a few bytes.
  void SetTracks(const std::vector<std::string>& names, int32_t soundRandom = 1) {
    std::string positions, fileNames, sizes;
    for (size_t i = 0; i < names.size(); ++i) {
      const std::string sep = i ? "," : "";
      positions += sep + std::to_string(100 + i);
      fileNames += sep + names[i];
      sizes += sep + "4";
      p_.Files().SetFile(TempPath(names[i]), {'R', 'I', 'F', 'F'});
    }
    settings_.SetSndCommaList(positions);
    settings_.SetSndFileNamesCommaList(fileNames);
    settings_.SetSndSizesCommaList(sizes);
    settings_.SetSoundRandom(soundRandom);
  }
  static std::string TempPath(const std::string& name) { return "C:\\TEMP\\" + name; }

  // Ends the track that plays and dispatches what that brings.
  bool FinishTrack() {
    const bool noticed = p_.Media().FinishTrack();
    Pump();
    return noticed;
  }
  void Pump() {
    for (int i = 0; i < 4; ++i) p_.Application().ProcessMessages();
  }
  // The names of the files whose playing started, in order.
  std::vector<std::string> Played() {
    std::vector<std::string> out;
    for (const std::string& path : p_.Media().Played()) out.push_back(path.substr(path.rfind('\\') + 1));
    return out;
  }
  // Starts the playlist and lets `changes` tracks end.
  std::vector<std::string> PlayThrough(TMusicPlaylist& list, int changes) {
    list.Start();
    Pump();
    for (int i = 0; i < changes; ++i) FinishTrack();
    return Played();
  }

  // IMusicHost
  const TSSFileLocations& MusicSettings() override { return settings_; }
  int32_t SndIndex() override { return sndIndex_; }
  void SetSndIndex(int32_t index) override { sndIndex_ = index; }

  THeadlessPlatform p_;
  TSSFileLocations settings_;
  int32_t sndIndex_ = 0;
};

}  // namespace scr::saver::test
