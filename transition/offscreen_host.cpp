#include "transition/offscreen_host.h"

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <utility>

#include "transition/transition_view.h"

namespace scr {

// One worker. Exactly one of the main thread and the workers runs at a time: a worker
// runs while its state is Running, and the main thread waits for it to leave that
// state (by asking for a Synchronize, sleeping or ending).
struct TOffscreenHost::TWorker : IWorkerThread {
  enum class TState { Starting, Running, Syncing, InSync, Sleeping, Finished };

  TOffscreenHost* host = nullptr;
  std::function<void()> body;
  std::thread thread;
  TState state = TState::Starting;
  const std::function<void()>* request = nullptr;
  std::exception_ptr requestError;
  uint32_t wakeAt = 0;

  void WaitFor() override { host->WaitWorker(*this); }
};

namespace {

// True when the clock value now has reached t (the clock wraps at 2^32).
bool Reached(uint32_t now, uint32_t t) { return static_cast<int32_t>(now - t) >= 0; }

}  // namespace

TOffscreenHost::TOffscreenHost(int clientWidth, int clientHeight) {
  canvas_.SetSize(clientWidth, clientHeight);
  canvas_.Fill(ColorToRGB(parentColor_, *this));
}

TOffscreenHost::~TOffscreenHost() {
  // Controls wait for their own workers; what is left has ended or is ending.
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

uint32_t TOffscreenHost::TickCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return now_;
}

void TOffscreenHost::Advance(uint32_t ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  now_ += ms;
}

void TOffscreenHost::ProcessMessages() {
  if (OnMessages) OnMessages();
  std::unique_lock<std::mutex> lock(mutex_);
  ServeAll(lock);
  now_ += 1;
}

bool TOffscreenHost::PumpUntil(const std::function<bool()>& done, int limit) {
  for (int i = 0; i < limit; ++i) {
    if (done()) return true;
    ProcessMessages();
  }
  return done();
}

int TOffscreenHost::LiveWorkers() {
  std::unique_lock<std::mutex> lock(mutex_);
  Reap(lock);
  return static_cast<int>(workers_.size());
}

// ---- Painting ----

void TOffscreenHost::InvalidateRect(const TRect& r) {
  if (logInvalidations) invalidations.push_back(r);
  const TRect clipped = Intersect(r, canvas_.Bounds());
  if (clipped.IsEmpty()) return;
  if (invalid_.IsEmpty()) {
    invalid_ = clipped;
  } else {
    invalid_ = TRect{std::min(invalid_.left, clipped.left), std::min(invalid_.top, clipped.top),
                     std::max(invalid_.right, clipped.right), std::max(invalid_.bottom, clipped.bottom)};
  }
}

void TOffscreenHost::UpdateNow() {
  if (invalid_.IsEmpty()) return;
  const TRect area = invalid_;
  invalid_ = TRect{};
  canvas_.FillRect(area, ColorToRGB(parentColor_, *this));
  for (TCustomTransitionView* c : controls_) c->Paint(canvas_, area);
  ++updateCount;
}

void TOffscreenHost::AttachControl(TCustomTransitionView& control) { controls_.push_back(&control); }

void TOffscreenHost::DetachControl(TCustomTransitionView& control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

void TOffscreenHost::SetClientSize(int width, int height) {
  canvas_.SetSize(width, height);
  canvas_.Fill(ColorToRGB(parentColor_, *this));
  invalid_ = TRect{};
  for (TCustomTransitionView* c : controls_) c->ParentResized();
  InvalidateRect(canvas_.Bounds());
}

// ---- Workers ----

std::shared_ptr<IWorkerThread> TOffscreenHost::StartThread(std::function<void()> body, TThreadPriority) {
  auto w = std::make_shared<TWorker>();
  w->host = this;
  w->body = std::move(body);
  TWorker* raw = w.get();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    workers_.push_back(w);
  }
  auto run = [this, raw] {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      turn_.wait(lock, [raw] { return raw->state == TWorker::TState::Running; });
    }
    std::function<void()> body = std::move(raw->body);
    try {
      body();
    } catch (...) {
    }
    body = nullptr;  // what the body held goes now, on this thread
    std::lock_guard<std::mutex> lock(mutex_);
    raw->state = TWorker::TState::Finished;
    turn_.notify_all();
  };
  try {
    w->thread = std::thread(run);
  } catch (...) {
    std::lock_guard<std::mutex> lock(mutex_);
    workers_.pop_back();
    throw;
  }
  return w;
}

TOffscreenHost::TWorker* TOffscreenHost::CurrentWorker() {
  const std::thread::id self = std::this_thread::get_id();
  for (const std::shared_ptr<TWorker>& w : workers_)
    if (w->thread.get_id() == self) return w.get();
  return nullptr;
}

void TOffscreenHost::Synchronize(const std::function<void()>& fn) {
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
  turn_.notify_all();
  turn_.wait(lock, [w] { return w->state == TWorker::TState::Running; });
  if (std::exception_ptr e = std::exchange(w->requestError, nullptr)) std::rethrow_exception(e);
}

void TOffscreenHost::Sleep(uint32_t ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  TWorker* w = CurrentWorker();
  if (!w) {
    now_ += ms;
    return;
  }
  w->wakeAt = now_ + ms;
  w->state = TWorker::TState::Sleeping;
  turn_.notify_all();
  turn_.wait(lock, [w] { return w->state == TWorker::TState::Running; });
}

void TOffscreenHost::HandOver(TWorker& w, std::unique_lock<std::mutex>& lock) {
  w.state = TWorker::TState::Running;
  turn_.notify_all();
  turn_.wait(lock, [&w] { return w.state != TWorker::TState::Running; });
}

void TOffscreenHost::Serve(TWorker& w, std::unique_lock<std::mutex>& lock) {
  for (;;) {
    switch (w.state) {
      case TWorker::TState::Starting: HandOver(w, lock); break;
      case TWorker::TState::Syncing: {
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
        break;
      }
      case TWorker::TState::Sleeping:
        if (!Reached(now_, w.wakeAt)) return;
        HandOver(w, lock);
        break;
      default: return;  // finished, or its request is running further up this stack
    }
  }
}

void TOffscreenHost::ServeAll(std::unique_lock<std::mutex>& lock) {
  // Requests may start workers; indexes stay valid where iterators would not.
  for (size_t i = 0; i < workers_.size(); ++i) {
    std::shared_ptr<TWorker> w = workers_[i];
    Serve(*w, lock);
  }
  Reap(lock);
}

void TOffscreenHost::Reap(std::unique_lock<std::mutex>& lock) {
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

void TOffscreenHost::WaitWorker(TWorker& w) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (CurrentWorker()) throw std::logic_error("a worker cannot wait for a worker");
  std::shared_ptr<TWorker> keep;
  for (const std::shared_ptr<TWorker>& p : workers_)
    if (p.get() == &w) keep = p;
  if (!keep) return;  // ended and reaped already
  for (;;) {
    if (w.state == TWorker::TState::InSync)
      throw std::logic_error("waiting for a worker from inside its own Synchronize request");
    ServeAll(lock);
    if (w.state == TWorker::TState::Finished) break;
    // Waiting lets time pass: on to the moment the worker wakes.
    if (w.state == TWorker::TState::Sleeping && !Reached(now_, w.wakeAt)) now_ = w.wakeAt;
  }
  Reap(lock);
}

}  // namespace scr
