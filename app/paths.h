#pragma once
// Path operations: the system's temporary and system directories, joining a directory
// and a name, the file name of a path.
#include <string>
#include <string_view>

#include "common/file_names.h"
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

// The test that a name taken from a package names a plain file: common/file_names.h.
using scr::IsPlainFileName;

}  // namespace scr::app
