#pragma once
// A whole saver run recorded in virtual time: the real saver window and slide show
// on the headless backend with a screen of the recording's size, the screen sampled
// at a fixed frame rate, and the music the saver plays decoded and laid under it.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/scrtool/record/record_sinks.h"

namespace scr::tool {

struct TRecordRequest {
  std::vector<uint8_t> saver;                      // the saver file
  std::optional<std::vector<uint8_t>> controlIni;  // CONTROL.INI beside it, when there is one
  int width = 1280, height = 720, fps = 25;
  int64_t durationMs = 20000;
  bool mute = false;  // leave the music out
};

class TSaverRecorder {
 public:
  // Places the saver and runs its window's set-up. scr::Exception for a file that is
  // no saver and for movie savers.
  explicit TSaverRecorder(const TRecordRequest& request);
  ~TSaverRecorder();
  TSaverRecorder(const TSaverRecorder&) = delete;
  TSaverRecorder& operator=(const TSaverRecorder&) = delete;

  // True when the recording has sound: the saver has music, not muted by the request,
  // the package or the user's stored choice.
  bool HasSound() const;
  // Names of tracks that could not be decoded (recorded as silence), once each.
  const std::vector<std::string>& SilentTracks() const;

  // Runs the saver for the request's duration; every sink gets every frame (and the
  // sound). onProgress is told the virtual time reached.
  void Run(std::span<IRecordSink* const> sinks, const std::function<void(int64_t atMs)>& onProgress = {});

 private:
  struct TState;
  std::unique_ptr<TState> s_;
};

// The message for a saver of the movie kind.
inline constexpr const char* kMovieSaverRefused =
    "is a movie saver: only picture savers can be recorded";

}  // namespace scr::tool
