#pragma once
// Worker threads whose work is handed to the main thread, and their bookkeeping:
// starting them, serving their requests on the main thread, waiting for one, and
// joining those that have ended. The hosts of the picture show control use it.
//
// Two ways of running. Free: the workers run alongside the main thread and a request
// waits until the main thread serves it (from its message processing, or while it
// waits for that worker). Lock-step: exactly one of the main thread and the workers
// runs at a time, handing over at a request, a sleep and the end of a body, with time
// on a virtual millisecond clock, so a threaded run makes the same steps in the same
// order every time.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "transition/transition_host.h"

namespace scr {

class TWorkerRegistry {
 public:
  enum class TMode : uint8_t { Free, LockStep };

  // wake is called from a worker when it has a request for the main thread (so a
  // main thread blocked in its message wait gets going); may be empty.
  explicit TWorkerRegistry(TMode mode, std::function<void()> wake = {});
  ~TWorkerRegistry() { WaitAll(); }
  TWorkerRegistry(const TWorkerRegistry&) = delete;
  TWorkerRegistry& operator=(const TWorkerRegistry&) = delete;

  // Starts body on a new thread. The registry lets go of body as soon as it has
  // returned, on that thread, and keeps the thread until it has been joined.
  std::shared_ptr<IWorkerThread> Start(std::function<void()> body);
  // On a worker: runs fn on the main thread and waits; its error is raised again here.
  // On the main thread: runs fn at once.
  void Synchronize(const std::function<void()>& fn);
  // Main thread: runs the waiting requests (in lock-step also gives each worker whose
  // turn it is its turn) and joins the workers that have ended.
  void Serve();
  // Number of workers whose body has not returned yet.
  int Live();
  // Main thread: waits for every worker, serving their requests meanwhile.
  void WaitAll();

  // Lock-step: the virtual clock, in milliseconds (wrapping at 2^32). Any thread.
  uint32_t Now();
  void Advance(uint32_t ms);
  // Lock-step: on a worker, waits until the clock has advanced by ms; on the main
  // thread, advances the clock.
  void Sleep(uint32_t ms);

 private:
  struct TWorker;
  void ServeAll(std::unique_lock<std::mutex>& lock);
  void ServeOne(TWorker& w, std::unique_lock<std::mutex>& lock);
  void RunRequest(TWorker& w, std::unique_lock<std::mutex>& lock);
  void HandOver(TWorker& w, std::unique_lock<std::mutex>& lock);
  void Reap(std::unique_lock<std::mutex>& lock);
  void WaitWorker(TWorker& w);
  bool AnyRequest() const;
  TWorker* CurrentWorker();

  const TMode mode_;
  std::function<void()> wake_;
  std::mutex mutex_;
  std::condition_variable changed_;
  uint32_t now_ = 0;
  std::vector<std::shared_ptr<TWorker>> workers_;
};

}  // namespace scr
