#pragma once
// Turns what a screen presents at scattered virtual times into frames at a fixed rate:
// the frame at time k / fps is the last picture presented at or before that time.
#include <cstdint>
#include <functional>

#include "common/bitmap24.h"

namespace scr::tool {

class TFrameSampler {
 public:
  // fresh: the frame differs from the one emitted before (or is the first).
  using TEmit = std::function<void(const TBitmap24& frame, bool fresh)>;
  // Frames at 0, 1/fps, 2/fps, ... before endMs; the screen shows `blank` until the
  // first present.
  TFrameSampler(int fps, int64_t endMs, TBitmap24 blank, TEmit emit);

  // The screen shows `picture` from virtual time atMs on (non-decreasing times;
  // presents at or after the end are ignored).
  void Presented(int64_t atMs, TBitmap24 picture);
  // Moves the end to endMs (earlier only); frames already emitted stay.
  void EndAt(int64_t endMs);
  // Emits the frames still due before the end.
  void Finish();

  int64_t FramesEmitted() const { return next_; }
  int64_t FramesTotal() const { return total_; }

 private:
  void EmitBefore(int64_t atMs);

  int fps_;
  int64_t endMs_;
  int64_t total_;
  int64_t next_ = 0;
  TBitmap24 current_;
  bool fresh_ = true;
  TEmit emit_;
};

}  // namespace scr::tool
