#pragma once
// The worker that times an automatic run when the control is Threaded. It only
// measures time and sleeps; every step, and its end, run on the main thread.
#include <atomic>
#include <memory>

#include "transition/transition_host.h"
#include "transition/view_run.h"

namespace scr {

class TCustomTransitionView;

class TAnimateThread : public std::enable_shared_from_this<TAnimateThread> {
 public:
  // Creates the worker running, at the given priority. Its body keeps the object
  // alive until it ends, so the thread frees itself; the control only holds a
  // reference that it clears when the run ends. The worker paces itself by the
  // control's shared block and touches the control only on the main thread, and only
  // while the block says the control is there.
  static std::shared_ptr<TAnimateThread> Start(TCustomTransitionView& view, std::shared_ptr<TRunShared> shared,
                                               ITransitionHost& host, TThreadPriority priority);

  TAnimateThread(TCustomTransitionView& view, std::shared_ptr<TRunShared> shared, ITransitionHost& host)
      : view_(view), shared_(std::move(shared)), host_(host) {}

  // Asks the loop to end after the step under way.
  void Terminate() { terminated_.store(true); }
  bool Terminated() const { return terminated_.load(); }
  // Main thread: one of this worker's steps is running further up the stack, so
  // waiting for the worker from here could never end.
  bool InOwnStep() const { return inStep_; }
  // Main thread: waits for the body to end, running its pending step and its
  // termination handler meanwhile.
  void WaitFor();

 private:
  void Execute();
  void Step();

  TCustomTransitionView& view_;
  const std::shared_ptr<TRunShared> shared_;
  ITransitionHost& host_;
  std::atomic<bool> terminated_{false};
  bool inStep_ = false;  // main thread only
  std::shared_ptr<IWorkerThread> worker_;
};

}  // namespace scr
