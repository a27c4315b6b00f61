#pragma once
// Path operations: the system's temporary and system directories, joining a directory
// and a name, the file name of a path, and the test that a name taken from a package
// names a plain file (so it cannot point outside the directory it is joined to).
#include <string>
#include <string_view>

#include "platform/system.h"

namespace scr::app {

// The temporary directory (normally ending in "\"), up to its first zero byte.
std::string GetTempDir(platform::ISystem& system);
// The system directory (normally without a trailing "\"), up to its first zero byte.
std::string GetSystemDir(platform::ISystem& system);

// directory + name when the directory ends in "\", else directory + "\" + name. An
// empty directory gives the name alone.
std::string JoinPath(std::string_view directory, std::string_view name);

// The last component of a path: what follows the last "\", "/" or ":".
std::string ExtractFileName(std::string_view path);

// True when name can only name a file directly inside the directory it is joined to:
// not empty, no "\" or "/", no ":" (drive or stream), not made of dots and blanks
// alone ("." and ".." among them), no control characters, and not a device name
// (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with an extension). Spaces and
// characters of 128 and above are ordinary.
bool IsPlainFileName(std::string_view name);

}  // namespace scr::app
