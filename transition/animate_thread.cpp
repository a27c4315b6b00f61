#include "transition/animate_thread.h"

#include "transition/transition_view.h"

namespace scr {

std::shared_ptr<TAnimateThread> TAnimateThread::Start(TCustomTransitionView& view, std::shared_ptr<TRunShared> shared,
                                                      ITransitionHost& host, TThreadPriority priority) {
  auto thread = std::make_shared<TAnimateThread>(view, std::move(shared), host);
  thread->worker_ = host.StartThread([self = thread] { self->Execute(); }, priority);
  return thread;
}

void TAnimateThread::Execute() {
  // How the body ended, for the control: at the end of the run, before it, or by an
  // error in a step.
  TRunEvent end = TRunEvent::WorkerEnd;
  try {
    while (!terminated_.load() && shared_->Stepping()) {
      const uint32_t t0 = host_.TickCount();
      host_.Synchronize([this] {
        if (!shared_->Destroyed()) view_.AnimateStep();
      });
      if (shared_->Destroyed()) return;  // not even the host's clock from now on
      if (shared_->AtEnd()) {
        if (!terminated_.load()) end = TRunEvent::Complete;
        break;
      }
      const uint32_t elapsed = host_.TickCount() - t0;
      const uint32_t delay = shared_->delay.load(std::memory_order_relaxed);
      if (elapsed < delay) host_.Sleep(delay - elapsed);
    }
  } catch (...) {
    end = TRunEvent::Fail;  // nobody waits on this thread to hear of the error
  }
  if (shared_->Destroyed()) return;
  try {
    host_.Synchronize([this, end] {
      if (!shared_->Destroyed()) view_.ThreadEnded(*this, end);
    });
  } catch (...) {
  }
}

}  // namespace scr
