#pragma once
// The music playlist as the saver window's music part: the player mpSaver is made
// with the window; the first track starts when the slide show starts (the first
// start message after a successful set-up), so the music begins with the saver and
// never before the sound files are extracted and the mute choice is settled; the
// device is closed when the window is destroyed, before the sound files are deleted.
#include <memory>

#include "platform/platform.h"
#include "saver/saver_parts.h"

namespace scr::saver {

std::unique_ptr<IMusicPart> CreateMusicPart(platform::TPlatform& platform);

}  // namespace scr::saver
