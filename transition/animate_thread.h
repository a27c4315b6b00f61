#pragma once
// The worker that times an automatic run when the control is Threaded. It only
// measures time and sleeps; every step, and its end, run on the main thread.
#include <atomic>
#include <memory>

#include "transition/transition_host.h"

namespace scr {

class TCustomTransitionView;

class TAnimateThread : public std::enable_shared_from_this<TAnimateThread> {
 public:
  // Creates the worker running, at the given priority. Its body keeps the object
  // alive until it ends, so the thread frees itself; the control only holds a
  // reference that it clears when the run ends.
  static std::shared_ptr<TAnimateThread> Start(TCustomTransitionView& view, ITransitionHost& host,
                                               TThreadPriority priority);

  TAnimateThread(TCustomTransitionView& view, ITransitionHost& host) : view_(view), host_(host) {}

  // Asks the loop to end after the step under way.
  void Terminate() { terminated_.store(true); }
  bool Terminated() const { return terminated_.load(); }
  // Main thread: waits for the body to end, running its pending step and its
  // termination handler meanwhile.
  void WaitFor();

 private:
  void Execute();

  TCustomTransitionView& view_;
  ITransitionHost& host_;
  std::atomic<bool> terminated_{false};
  std::shared_ptr<IWorkerThread> worker_;
};

}  // namespace scr
