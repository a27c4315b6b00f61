#pragma once
// The worker that times an automatic run when the control is Threaded. It only
// measures time and sleeps; every step, and its end, run on the main thread.
#include <atomic>
#include <memory>

#include "transition/transition_host.h"
#include "transition/view_run.h"

namespace scr {

class TCustomTransitionView;

class TAnimateThread {
 public:
  // Creates the worker running, at the given priority. Its body keeps the object
  // alive until it ends, so the thread frees itself; the control only holds a
  // reference that it lets go when the run ends. The worker paces itself by the
  // control's shared block, touches the control only on the main thread and only while
  // the block says it is not destroyed, and once it is, touches neither the control
  // nor the host again.
  static std::shared_ptr<TAnimateThread> Start(TCustomTransitionView& view, std::shared_ptr<TRunShared> shared,
                                               ITransitionHost& host, TThreadPriority priority);

  TAnimateThread(TCustomTransitionView& view, std::shared_ptr<TRunShared> shared, ITransitionHost& host)
      : view_(view), shared_(std::move(shared)), host_(host) {}

  // Asks the loop to end after the step under way.
  void Terminate() { terminated_.store(true); }
  // Main thread: one of this worker's steps is running further up the stack, so
  // waiting for the worker from here could never end.
  bool InOwnStep() const { return worker_ && worker_->Serving(); }
  // Main thread: waits for the body to end, running its pending step and its end
  // meanwhile.
  void WaitFor() { worker_->WaitFor(); }

 private:
  void Execute();

  TCustomTransitionView& view_;
  const std::shared_ptr<TRunShared> shared_;
  ITransitionHost& host_;
  std::atomic<bool> terminated_{false};
  std::shared_ptr<IWorkerThread> worker_;
};

}  // namespace scr
