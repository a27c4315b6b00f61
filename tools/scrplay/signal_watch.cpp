#include "tools/scrplay/signal_watch.h"

#include <pthread.h>
#include <signal.h>

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

}  // namespace

TSignalWatch::TSignalWatch(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  const sigset_t set = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  thread_ = std::thread([this, set] {
    for (;;) {
      int signal = 0;
      if (sigwait(&set, &signal) != 0) continue;
      if (stopping_.load()) return;
      signalled_.store(true);
      if (onSignal_) onSignal_();
    }
  });
}

TSignalWatch::~TSignalWatch() {
  stopping_.store(true);
  pthread_kill(thread_.native_handle(), SIGHUP);
  thread_.join();
}

}  // namespace scr::play
