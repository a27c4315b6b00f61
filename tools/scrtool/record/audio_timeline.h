#pragma once
// The sound of a recording: decoded tracks placed at the virtual times they started,
// mixed into one stream and handed out in order.
#include <cstdint>
#include <span>
#include <vector>

#include "tools/media/audio_track.h"

namespace scr::tool {

class TAudioTimeline {
 public:
  // A track that starts playing at startMs.
  void Add(int64_t startMs, media::TAudio track);
  // The next stretch of the mix, up to (not including) untilMs: interleaved samples,
  // silence where nothing plays. Empty when that time was handed out already.
  std::vector<float> TakeUntil(int64_t untilMs);
  // The mix fades out linearly over the lengthMs before endMs and is silent after it
  // (for what is not handed out yet).
  void FadeOut(int64_t endMs, int64_t lengthMs);

 private:
  struct TPlaced {
    int64_t start;  // in sample frames
    media::TAudio audio;
  };
  std::vector<TPlaced> tracks_;
  int64_t taken_ = 0;  // sample frames handed out
  int64_t fadeEnd_ = -1, fadeLength_ = 0;  // in sample frames; none while fadeEnd_ < 0
};

}  // namespace scr::tool
