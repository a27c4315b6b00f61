#include "tools/scrtool/record/frame_sampler.h"

#include <algorithm>

namespace scr::tool {

TFrameSampler::TFrameSampler(int fps, int64_t endMs, TBitmap24 blank, TEmit emit)
    : fps_(fps), endMs_(endMs), total_((endMs * fps + 999) / 1000), current_(std::move(blank)), emit_(std::move(emit)) {}

void TFrameSampler::EmitBefore(int64_t atMs) {
  // Frame k is due at k * 1000 / fps ms; it is due before atMs when k * 1000 < atMs * fps.
  while (next_ < total_ && next_ * 1000 < atMs * fps_) {
    emit_(current_, fresh_);
    fresh_ = false;
    ++next_;
  }
}

void TFrameSampler::Presented(int64_t atMs, TBitmap24 picture) {
  if (atMs >= endMs_) return;
  EmitBefore(atMs);
  fresh_ = fresh_ || !(picture == current_);
  current_ = std::move(picture);
}

void TFrameSampler::EndAt(int64_t endMs) {
  if (endMs >= endMs_) return;
  endMs_ = endMs;
  total_ = std::max(next_, (endMs * fps_ + 999) / 1000);
}

void TFrameSampler::Finish() { EmitBefore(endMs_); }

}  // namespace scr::tool
