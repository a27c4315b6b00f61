#pragma once
// A timer of a desktop's event loop: fires when due, then again an interval later
// (skipping periods the loop was too busy for); a tick during the handler's own run is
// dropped.
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/loop_desktop.h"
#include "platform/screen.h"

namespace scr::platform {

class TLoopTimer : public ITimer, private TLoopTimerSlot {
 public:
  explicit TLoopTimer(TLoopDesktop& desktop) : desktop_(desktop) { desktop_.AddTimer(*this); }
  ~TLoopTimer() override { desktop_.RemoveTimer(*this); }
  TLoopTimer(const TLoopTimer&) = delete;
  TLoopTimer& operator=(const TLoopTimer&) = delete;

  void SetInterval(uint32_t ms) override;
  uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()> onTimer) override;

 private:
  void Arm() { due_ = desktop_.Now() + interval_; }
  std::optional<double> Due() const override;
  void Fire(double now) override;

  TLoopDesktop& desktop_;
  uint32_t interval_ = 1000;
  bool enabled_ = false;
  bool running_ = false;
  double due_ = 0;
  std::function<void()> onTimer_;
};

}  // namespace scr::platform
