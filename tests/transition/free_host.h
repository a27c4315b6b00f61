#pragma once
// A host whose workers run free, on real threads beside the main thread, with the real
// clock: what the backends' window hosts do, without a window. Its pump serves the
// workers' requests and, when none is waiting, waits a little for one.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "transition/transition_host.h"
#include "transition/worker_registry.h"

namespace scr::test {

class TFreeHost : public ITransitionHost {
 public:
  ~TFreeHost() override { workers_.WaitAll(); }

  uint32_t TickCount() override {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  void ProcessMessages() override {
    if (OnMessages) OnMessages();
    workers_.Serve();
  }
  void InvalidateRect(const TRect&) override {}
  void UpdateNow() override {}
  TRect ParentClientRect() override { return TRect{0, 0, 16, 16}; }
  std::shared_ptr<IWorkerThread> StartThread(std::function<void()> body, TThreadPriority) override {
    return workers_.Start(std::move(body));
  }
  void Synchronize(const std::function<void()>& fn) override { workers_.Synchronize(fn); }
  void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  // Main thread: waits until a worker asks for the main thread (or ms have passed).
  void WaitForRequest(int ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    woken_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return requests_ != served_; });
    served_ = requests_;
  }
  // Pumps until done() holds or ms have passed; true when it held.
  bool PumpUntil(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      ProcessMessages();
      WaitForRequest(1);
    }
    return true;
  }
  int LiveWorkers() { return workers_.Live(); }

  std::function<void()> OnMessages;

 private:
  std::mutex mutex_;
  std::condition_variable woken_;
  uint64_t requests_ = 0, served_ = 0;
  TWorkerRegistry workers_{TWorkerRegistry::TMode::Free, [this] {
                             std::lock_guard<std::mutex> lock(mutex_);
                             ++requests_;
                             woken_.notify_all();
                           }};
};

}  // namespace scr::test
