#pragma once
// An animated WebP built frame by frame. Each frame after the first is stored as the
// rectangle that changed since the previous one, so long clips of mostly still
// pictures stay small.
#include <cstdint>
#include <vector>

#include "common/bitmap24.h"

struct WebPMux;

namespace scr::media {

struct TWebPOptions {
  bool lossless = true;
  float quality = 75;  // lossy quality, or lossless effort, 0 to 100
  int method = 4;      // speed against size, 0 (fast) to 6
  // A frame equal to the one before lengthens it instead of becoming a frame of its
  // own. Off when each frame must stay a frame (a viewer stepping position by position).
  bool mergeRepeats = false;
};

class TWebPAnimation {
 public:
  TWebPAnimation(int width, int height, TWebPOptions options);
  ~TWebPAnimation();
  TWebPAnimation(const TWebPAnimation&) = delete;
  TWebPAnimation& operator=(const TWebPAnimation&) = delete;

  // Appends a frame of the animation's size, shown for durationMs.
  void Add(const TBitmap24& frame, int durationMs);
  // Frames stored so far (repeats merged into one count once).
  int Frames() const { return frames_; }
  // The whole file; the animation loops forever.
  std::vector<uint8_t> Finish();

 private:
  void Flush();

  int width_, height_;
  TWebPOptions options_;
  ::WebPMux* mux_;
  TBitmap24 previous_;
  std::vector<uint8_t> pendingData_;
  int pendingX_ = 0, pendingY_ = 0, pendingDuration_ = 0;
  bool havePending_ = false;
  int frames_ = 0;
};

}  // namespace scr::media
