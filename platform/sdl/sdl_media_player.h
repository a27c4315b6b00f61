#pragma once
// The media player on SDL2_mixer: one track at a time as SDL_mixer "music" (WAV, MP3,
// OGG Vorbis, FLAC, and MIDI through a General MIDI sound font). A track that cannot
// be opened or started fails with the device's texts, as the system's multimedia
// commands do; SDL's own reason goes to stderr, and a failure notice follows from the
// loop, so the playlist goes on with the next track instead of falling silent.
// Completion notices are posted to the loop: a track that played to its end reports
// success, a play that replaces or a stop that ends a play that asked for a notice
// reports superseded or aborted.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/media_player.h"
#include "platform/sdl/sdl_desktop.h"

namespace scr::platform::sdl {

class TSdlMedia : public IMedia {
 public:
  explicit TSdlMedia(TSdlDesktop& desktop);
  ~TSdlMedia() override;

  std::unique_ptr<IMediaPlayer> CreateMediaPlayer() override;

  // Opens the audio device once, with the sound font for MIDI (SDL_SOUNDFONTS, else
  // the first of Debian's General MIDI fonts installed); false (with SDL's text in
  // error) when there is none.
  bool OpenAudio(std::string& error);
  TSdlDesktop& Desktop() { return desktop_; }
  // The player whose track SDL_mixer plays now, by its serial; 0 for none.
  void SetCurrent(uint64_t serial) { current_ = serial; }
  uint64_t Current() const { return current_; }
  uint64_t NextSerial() { return ++serial_; }

 private:
  TSdlDesktop& desktop_;
  bool audioOpen_ = false;
  uint64_t serial_ = 0;
  uint64_t current_ = 0;
};

}  // namespace scr::platform::sdl
