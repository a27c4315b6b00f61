#include "platform/loop_timer.h"

namespace scr::platform {

void TLoopTimer::SetInterval(uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Arm();
}

void TLoopTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Arm();
}

void TLoopTimer::SetOnTimer(std::function<void()> onTimer) {
  onTimer_ = std::move(onTimer);
  Arm();
}

std::optional<double> TLoopTimer::Due() const {
  if (!enabled_ || interval_ == 0 || !onTimer_ || running_) return std::nullopt;
  return due_;
}

void TLoopTimer::Fire(double now) {
  due_ += interval_;
  if (due_ <= now) due_ = now + interval_;
  running_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{running_};
  const std::function<void()> handler = onTimer_;
  handler();
}

}  // namespace scr::platform
