#pragma once
// A whole saver run recorded in virtual time: the real saver window and slide show
// on the headless backend with a screen of the recording's size, the screen sampled
// at a fixed frame rate, and the music the saver plays decoded (MIDI rendered with a
// General MIDI sound font) and laid under it, fading out over the last second. A
// track that cannot be decoded is skipped, and the next one plays.
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
  // 0: one full round of the saver (every picture once, with its transition and
  // interval), at most kLongestRoundMs.
  int64_t durationMs = 0;
  bool mute = false;  // leave the music out
  // Asked often during the run; true ends it (raises EInterrupted from Run).
  std::function<int()> interrupted;
};

inline constexpr int64_t kLongestRoundMs = 10 * 60 * 1000;
inline constexpr int64_t kFadeOutMs = 1000;

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
  // Names of tracks that could not be decoded (skipped), once each.
  const std::vector<std::string>& SkippedTracks() const;

  // Runs the saver for the request's duration or its round; every sink gets every
  // frame (and the sound). onProgress is told the virtual time reached and how much of
  // the recording is done (0 to 1).
  void Run(std::span<IRecordSink* const> sinks,
           const std::function<void(int64_t atMs, double done)>& onProgress = {});
  // The recording's length: the request's, or the round's once Run found its end.
  int64_t LengthMs() const;

 private:
  struct TState;
  std::unique_ptr<TState> s_;
};

// The message for a saver of the movie kind.
inline constexpr const char* kMovieSaverRefused =
    "is a movie saver: only picture savers can be recorded";

}  // namespace scr::tool
