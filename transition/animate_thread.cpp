#include "transition/animate_thread.h"

#include "transition/transition_view.h"

namespace scr {

std::shared_ptr<TAnimateThread> TAnimateThread::Start(TCustomTransitionView& view, std::shared_ptr<TRunShared> shared,
                                                      ITransitionHost& host, TThreadPriority priority) {
  auto thread = std::make_shared<TAnimateThread>(view, std::move(shared), host);
  thread->worker_ = host.StartThread([self = thread] { self->Execute(); }, priority);
  return thread;
}

void TAnimateThread::WaitFor() {
  if (worker_) worker_->WaitFor();
}

// Main thread.
void TAnimateThread::Step() {
  if (shared_->Gone()) return;
  inStep_ = true;
  try {
    view_.AnimateStep();
  } catch (...) {
    inStep_ = false;
    throw;
  }
  inStep_ = false;
}

void TAnimateThread::Execute() {
  bool failed = false;
  try {
    while (!Terminated() && !shared_->Gone() && shared_->Automatic()) {
      const uint32_t t0 = host_.TickCount();
      host_.Synchronize([this] { Step(); });
      const uint32_t elapsed = host_.TickCount() - t0;
      if (shared_->Gone()) break;
      if (shared_->AtEnd()) {
        Terminate();
      } else {
        const uint32_t delay = shared_->delay.load(std::memory_order_relaxed);
        if (elapsed < delay) host_.Sleep(delay - elapsed);
      }
    }
  } catch (...) {
    // An error in a step ends the run; nobody waits on this thread to hear of it.
    failed = true;
  }
  // The termination handler, in the main thread.
  try {
    host_.Synchronize([this, failed] {
      if (!shared_->Gone()) view_.ThreadTerminated(*this, failed);
    });
  } catch (...) {
  }
}

}  // namespace scr
