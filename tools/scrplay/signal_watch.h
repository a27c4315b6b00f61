#pragma once
// SIGTERM, SIGINT and SIGHUP end the player in order: they are blocked in every
// thread and taken by one watching thread, which asks the event loop to end (and
// remembers that it did, for a signal that comes before the loop can hear it).
#include <atomic>
#include <functional>
#include <thread>

namespace scr::play {

class TSignalWatch {
 public:
  // Blocks the signals; call before any other thread starts. onSignal runs on the
  // watching thread.
  explicit TSignalWatch(std::function<void()> onSignal);
  ~TSignalWatch();
  TSignalWatch(const TSignalWatch&) = delete;
  TSignalWatch& operator=(const TSignalWatch&) = delete;

  bool Signalled() const { return signalled_.load(); }

 private:
  std::function<void()> onSignal_;
  std::atomic<bool> signalled_{false};
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace scr::play
