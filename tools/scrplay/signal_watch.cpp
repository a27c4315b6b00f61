#include "tools/scrplay/signal_watch.h"

#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>

#include <chrono>

namespace scr::play {

namespace {

sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

// In a forked child (SDL's message box runs in one): the signals work again, and the
// child ends when the player does.
void ChildAfterFork() {
  const sigset_t set = EndingSignals();
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  prctl(PR_SET_PDEATHSIG, SIGTERM);
}

}  // namespace

TSignalWatch::TSignalWatch(std::function<void()> onSignal, std::function<void()> lastResort, int graceMs)
    : onSignal_(std::move(onSignal)), lastResort_(std::move(lastResort)), graceMs_(graceMs) {
  const sigset_t set = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  pthread_atfork(nullptr, nullptr, ChildAfterFork);
  thread_ = std::thread([this, set] {
    for (;;) {
      int signal = 0;
      if (sigwait(&set, &signal) != 0) continue;
      std::unique_lock<std::mutex> lock(mutex_);
      if (finished_) return;
      signalled_.store(true);
      if (onSignal_) onSignal_();
      if (finishedChanged_.wait_for(lock, std::chrono::milliseconds(graceMs_), [this] { return finished_; })) return;
      if (lastResort_) lastResort_();
    }
  });
}

void TSignalWatch::Finished() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
  }
  finishedChanged_.notify_all();
}

TSignalWatch::~TSignalWatch() {
  Finished();
  // Wakes the watcher if it still waits for a signal.
  pthread_kill(thread_.native_handle(), SIGHUP);
  thread_.join();
}

}  // namespace scr::play
