#include "transition/worker_registry.h"

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <utility>

namespace scr {

// One worker. It runs its body while its state is Running; in lock-step the main
// thread waits meanwhile, until the worker leaves that state.
struct TWorkerRegistry::TWorker : IWorkerThread {
  enum class TState { Starting, Running, Syncing, InSync, Sleeping, Finished };

  TWorkerRegistry* owner = nullptr;
  std::function<void()> body;
  std::thread thread;
  TState state = TState::Starting;
  const std::function<void()>* request = nullptr;
  std::exception_ptr requestError;
  uint32_t wakeAt = 0;

  void WaitFor() override { owner->WaitWorker(*this); }
  bool Serving() override {
    std::lock_guard<std::mutex> lock(owner->mutex_);
    return state == TState::InSync;
  }
};

namespace {

// True when the clock value now has reached t (the clock wraps at 2^32).
bool Reached(uint32_t now, uint32_t t) { return static_cast<int32_t>(now - t) >= 0; }

}  // namespace

TWorkerRegistry::TWorkerRegistry(TMode mode, std::function<void()> wake) : mode_(mode), wake_(std::move(wake)) {}

void TWorkerRegistry::WaitAll() {
  // Owners wait for their own workers; what is left has ended or is ending.
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

std::shared_ptr<IWorkerThread> TWorkerRegistry::Start(std::function<void()> body) {
  auto w = std::make_shared<TWorker>();
  w->owner = this;
  w->body = std::move(body);
  // Free workers start at once; in lock-step a worker waits for its first turn.
  if (mode_ == TMode::Free) w->state = TWorker::TState::Running;
  TWorker* raw = w.get();
  std::lock_guard<std::mutex> lock(mutex_);
  workers_.push_back(w);
  try {
    w->thread = std::thread([this, raw] {
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [raw] { return raw->state == TWorker::TState::Running; });
      }
      std::function<void()> body = std::move(raw->body);
      try {
        body();
      } catch (...) {
      }
      body = nullptr;  // what the body held goes now, on this thread
      std::lock_guard<std::mutex> lock(mutex_);
      raw->state = TWorker::TState::Finished;
      changed_.notify_all();
    });
  } catch (...) {
    workers_.pop_back();
    throw;
  }
  return w;
}

TWorkerRegistry::TWorker* TWorkerRegistry::CurrentWorker() {
  const std::thread::id self = std::this_thread::get_id();
  for (const std::shared_ptr<TWorker>& w : workers_)
    if (w->thread.get_id() == self) return w.get();
  return nullptr;
}

bool TWorkerRegistry::AnyRequest() const {
  return std::any_of(workers_.begin(), workers_.end(),
                     [](const std::shared_ptr<TWorker>& w) { return w->state == TWorker::TState::Syncing; });
}

void TWorkerRegistry::Synchronize(const std::function<void()>& fn) {
  std::unique_lock<std::mutex> lock(mutex_);
  TWorker* w = CurrentWorker();
  if (!w) {
    lock.unlock();
    fn();  // already on the main thread
    return;
  }
  w->request = &fn;
  w->requestError = nullptr;
  w->state = TWorker::TState::Syncing;
  changed_.notify_all();
  if (wake_) {
    lock.unlock();
    wake_();
    lock.lock();
  }
  changed_.wait(lock, [w] { return w->state == TWorker::TState::Running; });
  if (std::exception_ptr e = std::exchange(w->requestError, nullptr)) std::rethrow_exception(e);
}

uint32_t TWorkerRegistry::Now() {
  std::lock_guard<std::mutex> lock(mutex_);
  return now_;
}

void TWorkerRegistry::Advance(uint32_t ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  now_ += ms;
}

void TWorkerRegistry::Sleep(uint32_t ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  TWorker* w = CurrentWorker();
  if (!w) {
    now_ += ms;
    return;
  }
  if (mode_ != TMode::LockStep) throw std::logic_error("a free worker sleeps on its own");
  w->wakeAt = now_ + ms;
  w->state = TWorker::TState::Sleeping;
  changed_.notify_all();
  changed_.wait(lock, [w] { return w->state == TWorker::TState::Running; });
}

void TWorkerRegistry::Serve() {
  std::unique_lock<std::mutex> lock(mutex_);
  ServeAll(lock);
}

int TWorkerRegistry::Live() {
  std::unique_lock<std::mutex> lock(mutex_);
  Reap(lock);
  return static_cast<int>(workers_.size());
}

// ---- Main thread ----

void TWorkerRegistry::HandOver(TWorker& w, std::unique_lock<std::mutex>& lock) {
  w.state = TWorker::TState::Running;
  changed_.notify_all();
  if (mode_ == TMode::LockStep) changed_.wait(lock, [&w] { return w.state != TWorker::TState::Running; });
}

void TWorkerRegistry::RunRequest(TWorker& w, std::unique_lock<std::mutex>& lock) {
  w.state = TWorker::TState::InSync;
  const std::function<void()>* request = w.request;
  lock.unlock();
  std::exception_ptr error;
  try {
    (*request)();
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  w.requestError = error;
  HandOver(w, lock);
}

void TWorkerRegistry::ServeOne(TWorker& w, std::unique_lock<std::mutex>& lock) {
  if (mode_ == TMode::Free) {
    if (w.state == TWorker::TState::Syncing) RunRequest(w, lock);
    return;
  }
  for (;;) {
    switch (w.state) {
      case TWorker::TState::Starting: HandOver(w, lock); break;
      case TWorker::TState::Syncing: RunRequest(w, lock); break;
      case TWorker::TState::Sleeping:
        if (!Reached(now_, w.wakeAt)) return;
        HandOver(w, lock);
        break;
      default: return;  // finished, or its request is running further up this stack
    }
  }
}

void TWorkerRegistry::ServeAll(std::unique_lock<std::mutex>& lock) {
  // Requests may start workers; indexes stay valid where iterators would not.
  for (size_t i = 0; i < workers_.size(); ++i) {
    std::shared_ptr<TWorker> w = workers_[i];
    ServeOne(*w, lock);
  }
  Reap(lock);
}

void TWorkerRegistry::Reap(std::unique_lock<std::mutex>& lock) {
  for (size_t i = 0; i < workers_.size();) {
    std::shared_ptr<TWorker> w = workers_[i];
    if (w->state != TWorker::TState::Finished) {
      ++i;
      continue;
    }
    workers_.erase(workers_.begin() + static_cast<std::ptrdiff_t>(i));
    lock.unlock();
    if (w->thread.joinable()) w->thread.join();
    lock.lock();
  }
}

void TWorkerRegistry::WaitWorker(TWorker& w) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (CurrentWorker()) throw std::logic_error("a worker cannot wait for a worker");
  std::shared_ptr<TWorker> keep;
  for (const std::shared_ptr<TWorker>& p : workers_)
    if (p.get() == &w) keep = p;
  if (!keep) return;  // ended and joined already
  for (;;) {
    if (w.state == TWorker::TState::InSync)
      throw std::logic_error("waiting for a worker from inside its own Synchronize request");
    ServeAll(lock);
    if (w.state == TWorker::TState::Finished) break;
    if (mode_ == TMode::LockStep) {
      // Waiting lets time pass: on to the moment the worker wakes.
      if (w.state == TWorker::TState::Sleeping && !Reached(now_, w.wakeAt)) now_ = w.wakeAt;
    } else {
      changed_.wait(lock, [this, &w] { return w.state == TWorker::TState::Finished || AnyRequest(); });
    }
  }
  Reap(lock);
}

}  // namespace scr
