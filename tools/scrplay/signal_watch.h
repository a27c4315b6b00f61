#pragma once
// SIGTERM, SIGINT and SIGHUP end the player in order: they are blocked in every
// thread and taken by one watching thread, which asks the event loop to end (and
// remembers that it did, for a signal that comes before the loop can hear it). When
// the main thread cannot hear it (a modal message box waits for its answer), the
// watcher gives it a grace period and then runs the last resort given: clean up and
// leave. Processes forked meanwhile get the signals back and end with the player.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace scr::play {

class TSignalWatch {
 public:
  // Blocks the signals; call before any other thread starts. Both functions run on
  // the watching thread.
  TSignalWatch(std::function<void()> onSignal, std::function<void()> lastResort, int graceMs);
  ~TSignalWatch();
  TSignalWatch(const TSignalWatch&) = delete;
  TSignalWatch& operator=(const TSignalWatch&) = delete;

  bool Signalled() const { return signalled_.load(); }
  // The main thread has ended its run: no last resort any more.
  void Finished();

 private:
  std::function<void()> onSignal_, lastResort_;
  int graceMs_;
  std::atomic<bool> signalled_{false};
  std::mutex mutex_;
  std::condition_variable finishedChanged_;
  bool finished_ = false;
  std::thread thread_;
};

}  // namespace scr::play
