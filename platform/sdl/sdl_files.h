#pragma once
// Files through POSIX calls. The flows join folders and names with "\" as the
// Windows runtime does; here every "\" is a folder separator (names taken from a
// package never hold one: those are refused before they reach the file system).
#include <string>

#include "platform/files.h"

namespace scr::platform::sdl {

// The path with every "\" turned into "/".
std::string PosixPath(const std::string& path);
// PosixPath, and when nothing has that name, the entry of its folder whose name
// differs only in ASCII letter case (the first in byte order of several): names are
// found as on Windows, whatever their case ("CONTROL.INI" beside "control.ini").
std::string LocatePath(const std::string& path);

// Every path is found through LocatePath.
class TSdlFiles : public IFileSystem {
 public:
  std::unique_ptr<TStream> OpenRead(const std::string& path) override;
  // New files are private to the user (mode 0600).
  std::unique_ptr<TWriteStream> Create(const std::string& path) override;
  bool Delete(const std::string& path) override;
  bool Exists(const std::string& path) const override;
};

}  // namespace scr::platform::sdl
