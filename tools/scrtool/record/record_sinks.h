#pragma once
// Where a recording goes: an MP4 (H.264, with AAC when there is sound), an animated
// WebP, or a folder of numbered PNG files. Each takes the frames in order.
#include <memory>
#include <span>
#include <string>

#include "common/bitmap24.h"

namespace scr::tool {

class IRecordSink {
 public:
  virtual ~IRecordSink() = default;
  // fresh: the frame differs from the one before (or is the first).
  virtual void Frame(const TBitmap24& frame, bool fresh) = 0;
  // The sound that belongs to the frames given so far (interleaved stereo).
  virtual void Audio(std::span<const float> samples) {}
  virtual void Finish() = 0;
};

std::unique_ptr<IRecordSink> CreateMp4Sink(const std::string& path, int width, int height, int fps, bool withAudio);
std::unique_ptr<IRecordSink> CreateWebPSink(const std::string& path, int width, int height, int fps);
// DIR/frame-000000.png, frame-000001.png, ...; the folder is made when missing.
std::unique_ptr<IRecordSink> CreatePngSink(const std::string& dir);

}  // namespace scr::tool
