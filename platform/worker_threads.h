#pragma once
// Worker threads whose work is handed to the main thread: a worker's Synchronize
// request waits until the main thread serves it (from its message processing, or
// while it waits for that worker). Shared by the backends' window hosts.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "transition/transition_host.h"

namespace scr::platform {

class TWorkerThreads {
 public:
  // wake is called from a worker when it has a request for the main thread (so a
  // main thread blocked in its message wait gets going); may be empty.
  explicit TWorkerThreads(std::function<void()> wake = {}) : wake_(std::move(wake)) {}
  ~TWorkerThreads();
  TWorkerThreads(const TWorkerThreads&) = delete;
  TWorkerThreads& operator=(const TWorkerThreads&) = delete;

  std::shared_ptr<IWorkerThread> Start(std::function<void()> body);
  // On a worker: runs fn on the main thread and waits; its error is raised again here.
  // On the main thread: runs fn at once.
  void Synchronize(const std::function<void()>& fn);
  // Main thread: runs the waiting requests.
  void Serve();

 private:
  struct TWorker;
  void WaitWorker(TWorker& w);
  void Reap(std::unique_lock<std::mutex>& lock);
  bool OnWorker();

  std::function<void()> wake_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::shared_ptr<TWorker>> workers_;
  struct TRequest {
    const std::function<void()>* fn;
    std::exception_ptr error;
    bool done = false;
  };
  std::vector<TRequest*> requests_;
};

}  // namespace scr::platform
