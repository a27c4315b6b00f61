#pragma once
// What the player reads before it opens a window: the saver file's settings and every
// picture, so a file that is not a saver or is damaged is reported with the reader's
// own message instead of showing nothing; and the details --info prints.
#include <memory>
#include <string>

#include "package/settings.h"
#include "platform/files.h"

namespace scr::play {

// The text for a file too short to hold a package.
inline constexpr const char* kNotASaverFile = "Not a saver file: no package at its end";

// The settings record after every picture has been read; raises Exception with the
// reader's message (EFOpenError for a file that cannot be opened).
std::unique_ptr<TSSFileLocations> CheckSaver(platform::IFileSystem& files, const std::string& path);

// Title, author, e-mail, web address, the counts of pictures, sounds and movies, and
// the mute choice, one per line, as UTF-8.
std::string InfoText(const TSSFileLocations& settings, bool muted);

}  // namespace scr::play
