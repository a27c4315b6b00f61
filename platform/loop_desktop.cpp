#include "platform/loop_desktop.h"

#include <algorithm>

namespace scr::platform {

bool TLoopDesktop::IsVisible(TWindowHandle window) {
  const TLoopWindow* w = Find(window);
  return w && w->Visible();
}

std::optional<TRect> TLoopDesktop::WindowRect(TWindowHandle window) {
  if (const TLoopWindow* w = Find(window)) return w->Rect();
  return std::nullopt;
}

std::optional<TRect> TLoopDesktop::ClientRect(TWindowHandle window) {
  if (const TLoopWindow* w = Find(window)) return TRect{0, 0, w->Rect().Width(), w->Rect().Height()};
  return std::nullopt;
}

bool TLoopDesktop::PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  if (!Find(window)) return false;
  Post([this, window, message, wparam, lparam] {
    if (TLoopWindow* w = Find(window)) w->UserMessage(message, wparam, lparam);
  });
  return true;
}

TLoopWindow* TLoopDesktop::Find(TWindowHandle handle) {
  const auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second;
}

void TLoopDesktop::RemoveTimer(TLoopTimerSlot& timer) { std::erase(timers_, &timer); }

void TLoopDesktop::EndSession() {
  terminated_ = true;
  for (auto& [h, w] : WindowsNow()) w->Hide();
}

void TLoopDesktop::RunDueTimers() {
  const double now = Now();
  for (TLoopTimerSlot* t : std::vector<TLoopTimerSlot*>(timers_)) {
    // A timer removed by an earlier one's handler is not fired.
    if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
    const std::optional<double> due = t->Due();
    if (due && *due <= now) Guarded([&] { t->Fire(now); });
  }
}

uint32_t TLoopDesktop::TimeToNextTimer(uint32_t cap) const {
  const double now = Now();
  double wait = cap;
  for (const TLoopTimerSlot* t : timers_)
    if (const std::optional<double> due = t->Due()) wait = std::min(wait, *due > now ? *due - now : 0.0);
  // A timer due within a part of a millisecond is waited for in full.
  return static_cast<uint32_t>(wait + 0.999);
}

void TLoopDesktop::ProcessMessages() {
  DispatchInput();
  // Only what was posted before this call runs now: a closure that posts again waits
  // for the next turn.
  for (size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
    std::function<void()> fn = std::move(posted_.front());
    posted_.pop_front();
    Guarded(fn);
  }
  RunDueTimers();
  for (const auto& [handle, w] : WindowsNow())
    if (Find(handle) == w) Guarded([w = w] { w->Turn(); });
}

void TLoopDesktop::WaitForMessages(uint32_t timeoutMs) {
  if (!posted_.empty() || terminated_ || InputPending()) return;
  WaitForInput(TimeToNextTimer(timeoutMs));
}

void TLoopDesktop::Run(IWindow& mainWindow) {
  // The loop waits at most this long without a reason; everything it waits for
  // (input, wake-ups, timers) ends the wait sooner.
  constexpr uint32_t kLongestWaitMs = 1000;
  while (!terminated_ && mainWindow.Exists()) {
    ProcessMessages();
    if (terminated_ || !mainWindow.Exists()) break;
    if (posted_.empty()) {
      if (idle_) {
        const std::function<void()> idle = idle_;
        Guarded(idle);
      }
      WaitForMessages(kLongestWaitMs);
    }
  }
}

}  // namespace scr::platform
