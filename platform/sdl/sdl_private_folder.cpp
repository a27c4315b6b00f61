#include "platform/sdl/sdl_private_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/errors.h"

namespace scr::platform::sdl {

std::string TemporaryParent() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp && *tmp ? std::string(tmp) : std::string("/tmp");
}

TPrivateFolder::TPrivateFolder() {
  const std::string parent = TemporaryParent();
  std::string pattern = parent + (parent.back() == '/' ? "" : "/") + "scrplay.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkdtemp makes the folder with mode 0700.
  if (!mkdtemp(name.data()))
    throw Exception("Cannot create a private temporary folder under " + parent + ". " + std::strerror(errno));
  path_ = name.data();
}

TPrivateFolder::~TPrivateFolder() {
  std::error_code ignored;
  // Links inside are removed, never followed.
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace scr::platform::sdl
