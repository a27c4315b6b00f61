#pragma once
// Sound files decoded through FFmpeg's libraries into one common form: stereo,
// 44100 samples a second, 32-bit float, channels interleaved.
#include <cstdint>
#include <span>
#include <vector>

namespace scr::media {

inline constexpr int kAudioRate = 44100;
inline constexpr int kAudioChannels = 2;

struct TAudio {
  std::vector<float> samples;  // left, right, left, right, ...
  int64_t Frames() const { return static_cast<int64_t>(samples.size()) / kAudioChannels; }
  // Length in milliseconds, rounded up.
  int64_t DurationMs() const { return (Frames() * 1000 + kAudioRate - 1) / kAudioRate; }
};

// Decodes a whole sound file held in memory (any format FFmpeg reads: WAV, MP3, ...);
// scr::Exception when it holds no audio that can be decoded. At most maxMs
// milliseconds are kept.
TAudio DecodeAudio(std::span<const uint8_t> file, int64_t maxMs);

}  // namespace scr::media
