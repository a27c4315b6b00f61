#pragma once
// An MP4 file that plays in a browser: H.264 video in yuv420p at a fixed frame rate,
// and optionally AAC audio (stereo, 44100 samples a second), through FFmpeg's
// libraries. Frames and audio are given in order; Finish writes the index.
#include <memory>
#include <span>
#include <string>

#include "common/bitmap24.h"

namespace scr::media {

class TMp4Writer {
 public:
  // width and height must be even. scr::Exception when the file cannot be started.
  TMp4Writer(const std::string& path, int width, int height, int fps, bool withAudio);
  ~TMp4Writer();
  TMp4Writer(const TMp4Writer&) = delete;
  TMp4Writer& operator=(const TMp4Writer&) = delete;

  // The next video frame, shown for 1 / fps seconds.
  void AddFrame(const TBitmap24& frame);
  // The last frame once more (needs a frame before it).
  void RepeatFrame();
  // The next stretch of audio (kAudioChannels interleaved float samples per frame).
  void AddAudio(std::span<const float> samples);
  void Finish();

 private:
  struct TState;
  std::unique_ptr<TState> s_;
};

}  // namespace scr::media
