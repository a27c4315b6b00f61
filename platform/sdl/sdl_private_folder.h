#pragma once
// The player's private temporary folder: made with mkdtemp under $TMPDIR (or /tmp),
// mode 0700, a fresh name every run, and removed with everything in it when the
// object goes (on every way out that unwinds: the normal end, a signal that ends the
// loop, an error).
#include <string>

namespace scr::platform::sdl {

class TPrivateFolder {
 public:
  // Raises Exception ("Cannot create a private temporary folder under <parent>. <text>")
  // when it cannot be made.
  TPrivateFolder();
  ~TPrivateFolder();
  TPrivateFolder(const TPrivateFolder&) = delete;
  TPrivateFolder& operator=(const TPrivateFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// $TMPDIR when it is set and not empty, else /tmp.
std::string TemporaryParent();

}  // namespace scr::platform::sdl
