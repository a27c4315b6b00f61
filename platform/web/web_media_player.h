#pragma once
// The media player on the page's audio elements: one track at a time, WAV, MP3 and
// whatever else the browser plays. A missing file or a play the browser refuses fails
// with the device's texts, as the system's multimedia commands do. Completion notices are posted to the loop: a track that played to its
// end reports success, a play that replaces or a stop that ends a play that asked for
// a notice reports superseded or aborted. A track the browser cannot decode opens, and
// its play reports failure at once (the page says so), so the next track follows.
#include <cstdint>
#include <memory>

#include "platform/media_player.h"
#include "platform/web/web_desktop.h"
#include "platform/web/web_files.h"

namespace scr::platform::web {

class TWebMedia : public IMedia {
 public:
  TWebMedia(TWebDesktop& desktop, TWebFiles& files) : desktop_(desktop), files_(files) {}
  std::unique_ptr<IMediaPlayer> CreateMediaPlayer() override;

  // From the page: the audio element of the player with this id played to its end.
  static void TrackEnded(int id);

  TWebDesktop& Desktop() { return desktop_; }
  TWebFiles& Files() { return files_; }

 private:
  TWebDesktop& desktop_;
  TWebFiles& files_;
};

}  // namespace scr::platform::web
