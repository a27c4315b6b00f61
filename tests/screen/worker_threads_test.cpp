// Workers that hand their steps to the main thread.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/worker_threads.h"

namespace scr::platform {
namespace {

TEST(WorkerThreads, RequestsRunOnTheMainThreadAndErrorsComeBack) {
  TWorkerThreads workers;
  const std::thread::id main = std::this_thread::get_id();
  std::thread::id ranOn;
  std::atomic<bool> gotError{false};
  std::shared_ptr<IWorkerThread> w = workers.Start([&] {
    workers.Synchronize([&] { ranOn = std::this_thread::get_id(); });
    try {
      workers.Synchronize([] { throw std::runtime_error("step failed"); });
    } catch (const std::runtime_error& e) {
      gotError = std::string(e.what()) == "step failed";
    }
  });
  // Waiting serves the worker's requests, so the wait ends.
  w->WaitFor();
  EXPECT_EQ(ranOn, main);
  EXPECT_TRUE(gotError);
  // On the main thread a request simply runs.
  bool direct = false;
  workers.Synchronize([&] { direct = true; });
  EXPECT_TRUE(direct);
}

TEST(WorkerThreads, DestructionWaitsForWorkersStillAsking) {
  std::atomic<int> steps{0};
  {
    TWorkerThreads workers;
    workers.Start([&] {
      for (int i = 0; i < 3; ++i) workers.Synchronize([&] { ++steps; });
    });
  }
  EXPECT_EQ(steps, 3);
}

}  // namespace
}  // namespace scr::platform
