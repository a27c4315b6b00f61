#include "platform/worker_threads.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace scr::platform {

struct TWorkerThreads::TWorker : IWorkerThread {
  TWorkerThreads* owner = nullptr;
  std::thread thread;
  bool finished = false;
  void WaitFor() override { owner->WaitWorker(*this); }
};

TWorkerThreads::~TWorkerThreads() {
  for (;;) {
    std::shared_ptr<TWorker> w;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (workers_.empty()) break;
      w = workers_.front();
    }
    WaitWorker(*w);
  }
}

std::shared_ptr<IWorkerThread> TWorkerThreads::Start(std::function<void()> body) {
  auto w = std::make_shared<TWorker>();
  w->owner = this;
  TWorker* raw = w.get();
  std::lock_guard<std::mutex> lock(mutex_);
  workers_.push_back(w);
  try {
    w->thread = std::thread([this, raw, body = std::move(body)]() mutable {
      try {
        body();
      } catch (...) {
      }
      body = nullptr;  // what the body held goes now, on this thread
      std::lock_guard<std::mutex> lock(mutex_);
      raw->finished = true;
      changed_.notify_all();
    });
  } catch (...) {
    workers_.pop_back();
    throw;
  }
  return w;
}

bool TWorkerThreads::OnWorker() {
  const std::thread::id self = std::this_thread::get_id();
  return std::any_of(workers_.begin(), workers_.end(),
                     [self](const std::shared_ptr<TWorker>& w) { return w->thread.get_id() == self; });
}

void TWorkerThreads::Synchronize(const std::function<void()>& fn) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!OnWorker()) {
    lock.unlock();
    fn();
    return;
  }
  TRequest request{&fn, nullptr, false};
  requests_.push_back(&request);
  changed_.notify_all();
  lock.unlock();
  if (wake_) wake_();
  lock.lock();
  changed_.wait(lock, [&request] { return request.done; });
  if (request.error) std::rethrow_exception(request.error);
}

void TWorkerThreads::Serve() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!requests_.empty()) {
    TRequest* r = requests_.front();
    requests_.erase(requests_.begin());
    lock.unlock();
    try {
      (*r->fn)();
    } catch (...) {
      r->error = std::current_exception();
    }
    lock.lock();
    r->done = true;
    changed_.notify_all();
  }
  Reap(lock);
}

void TWorkerThreads::Reap(std::unique_lock<std::mutex>& lock) {
  for (size_t i = 0; i < workers_.size();) {
    std::shared_ptr<TWorker> w = workers_[i];
    if (!w->finished) {
      ++i;
      continue;
    }
    workers_.erase(workers_.begin() + static_cast<std::ptrdiff_t>(i));
    lock.unlock();
    if (w->thread.joinable()) w->thread.join();
    lock.lock();
  }
}

void TWorkerThreads::WaitWorker(TWorker& w) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (OnWorker()) throw std::logic_error("a worker cannot wait for a worker");
  std::shared_ptr<TWorker> keep;
  for (const std::shared_ptr<TWorker>& p : workers_)
    if (p.get() == &w) keep = p;
  if (!keep) return;
  while (!w.finished) {
    lock.unlock();
    Serve();
    lock.lock();
    if (w.finished) break;
    changed_.wait_for(lock, std::chrono::milliseconds(10), [this, &w] { return w.finished || !requests_.empty(); });
  }
  Reap(lock);
}

}  // namespace scr::platform
