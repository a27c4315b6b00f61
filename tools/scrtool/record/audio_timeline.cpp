#include "tools/scrtool/record/audio_timeline.h"

#include <algorithm>

namespace scr::tool {

namespace {
int64_t MsToFrames(int64_t ms) { return ms * media::kAudioRate / 1000; }
}  // namespace

void TAudioTimeline::Add(int64_t startMs, media::TAudio track) {
  tracks_.push_back(TPlaced{MsToFrames(startMs), std::move(track)});
}

std::vector<float> TAudioTimeline::TakeUntil(int64_t untilMs) {
  const int64_t until = MsToFrames(untilMs);
  if (until <= taken_) return {};
  constexpr int64_t ch = media::kAudioChannels;
  std::vector<float> mix(static_cast<size_t>((until - taken_) * ch), 0.0f);
  for (const TPlaced& t : tracks_) {
    const int64_t from = std::max(taken_, t.start);
    const int64_t to = std::min(until, t.start + t.audio.Frames());
    for (int64_t f = from; f < to; ++f)
      for (int64_t c = 0; c < ch; ++c)
        mix[static_cast<size_t>((f - taken_) * ch + c)] += t.audio.samples[static_cast<size_t>((f - t.start) * ch + c)];
  }
  // Tracks that ended before what is handed out next are not needed any more.
  std::erase_if(tracks_, [&](const TPlaced& t) { return t.start + t.audio.Frames() <= until; });
  if (fadeEnd_ >= 0) {
    for (int64_t f = taken_; f < until; ++f) {
      const int64_t left = fadeEnd_ - f;
      const float gain = left <= 0 ? 0.0f : left >= fadeLength_ ? 1.0f : static_cast<float>(left) / fadeLength_;
      for (int64_t c = 0; c < ch; ++c) mix[static_cast<size_t>((f - taken_) * ch + c)] *= gain;
    }
  }
  taken_ = until;
  for (float& s : mix) s = std::clamp(s, -1.0f, 1.0f);
  return mix;
}

void TAudioTimeline::FadeOut(int64_t endMs, int64_t lengthMs) {
  fadeEnd_ = MsToFrames(endMs);
  fadeLength_ = std::max<int64_t>(1, MsToFrames(lengthMs));
}

}  // namespace scr::tool
