#pragma once
// The screen saver daemon starts one copy of a hack per monitor; only one of them may
// play the music. The first copy to take the lock file in the user's runtime folder
// plays it and holds the lock until it ends; the copies that find it taken stay
// silent for the whole run (another takes over only at the next activation).
#include <string>

namespace scr::play {

// The lock file in runtime folder folder; empty when there is none.
std::string MusicLockPath(const char* runtimeFolder);

class TMusicLock {
 public:
  // Tries once to take the lock at path, without waiting. No path: nothing to share
  // the music with, so the music is this copy's.
  explicit TMusicLock(const std::string& path);
  ~TMusicLock();
  TMusicLock(const TMusicLock&) = delete;
  TMusicLock& operator=(const TMusicLock&) = delete;

  // Whether this copy plays the music.
  bool Held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = false;
};

}  // namespace scr::play
