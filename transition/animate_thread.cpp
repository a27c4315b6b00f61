#include "transition/animate_thread.h"

#include "transition/transition_view.h"

namespace scr {

std::shared_ptr<TAnimateThread> TAnimateThread::Start(TCustomTransitionView& view, ITransitionHost& host,
                                                      TThreadPriority priority) {
  auto thread = std::make_shared<TAnimateThread>(view, host);
  thread->worker_ = host.StartThread([self = thread] { self->Execute(); }, priority);
  return thread;
}

void TAnimateThread::WaitFor() {
  if (worker_) worker_->WaitFor();
}

void TAnimateThread::Execute() {
  bool failed = false;
  try {
    while (!Terminated() && !view_.Manual() && !view_.Stopping() && view_.Busy()) {
      const uint32_t t0 = host_.TickCount();
      host_.Synchronize([this] { view_.ThreadStep(); });
      const uint32_t elapsed = host_.TickCount() - t0;
      if (view_.AtEnd()) {
        Terminate();
      } else {
        const uint32_t delay = static_cast<uint32_t>(view_.Delay());
        if (elapsed < delay) host_.Sleep(delay - elapsed);
      }
    }
  } catch (...) {
    // An error in a step ends the run; nobody waits on this thread to hear of it.
    failed = true;
  }
  // The termination handler, in the main thread.
  try {
    host_.Synchronize([this, failed] { view_.ThreadTerminated(*this, failed); });
  } catch (...) {
  }
}

}  // namespace scr
