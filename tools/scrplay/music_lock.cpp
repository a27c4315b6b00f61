#include "tools/scrplay/music_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace scr::play {

std::string MusicLockPath(const char* runtimeFolder) {
  if (runtimeFolder == nullptr || runtimeFolder[0] != '/') return {};
  return std::string(runtimeFolder) + "/scrplay-music.lock";
}

TMusicLock::TMusicLock(const std::string& path) {
  if (path.empty()) {
    held_ = true;
    return;
  }
  // The lock is the open file's: the system lets go of it when the copy ends in any
  // way, so a copy that crashed never keeps the others silent.
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) {
    held_ = true;  // a folder we cannot write to: play rather than be silent
    return;
  }
  held_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
}

TMusicLock::~TMusicLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace scr::play
