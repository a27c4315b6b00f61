#pragma once
// The Win32 media player: commands through mciSendCommand, completion notices
// (MM_MCINOTIFY) received by a hidden message-only window of the player.
#include <memory>

#include "platform/media_player.h"

namespace scr::platform::win32 {

class TWin32Desktop;

class TWin32Media : public IMedia {
 public:
  // Errors escaping a completion handler are reported through the desktop.
  explicit TWin32Media(TWin32Desktop& desktop) : desktop_(desktop) {}
  std::unique_ptr<IMediaPlayer> CreateMediaPlayer() override;

 private:
  TWin32Desktop& desktop_;
};

}  // namespace scr::platform::win32
