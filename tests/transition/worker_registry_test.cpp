// The workers of the control's hosts: lock-step turns on the virtual clock, and waits
// that could never end refused rather than hanging.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "transition/worker_registry.h"

namespace scr {
namespace {

TEST(WorkerRegistry, LockStepWorkersTakeTurnsOnTheVirtualClock) {
  TWorkerRegistry r(TWorkerRegistry::TMode::LockStep);
  std::vector<std::string> log;  // only whoever has the turn writes
  std::shared_ptr<IWorkerThread> a = r.Start([&] {
    log.push_back("a1");
    r.Sleep(10);
    log.push_back("a2");
    r.Synchronize([&] { log.push_back("a on main"); });
  });
  r.Start([&] {
    log.push_back("b1");
    r.Sleep(5);
    log.push_back("b2");
  });
  EXPECT_TRUE(log.empty());  // nothing runs before the main thread hands over
  r.Serve();
  EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1"}));
  r.Advance(4);
  r.Serve();
  EXPECT_EQ(log.size(), 2u);  // both still asleep
  r.Advance(1);
  r.Serve();
  EXPECT_EQ(log.back(), "b2");
  EXPECT_EQ(r.Live(), 1);
  // Waiting moves the clock on to the sleeper's wake time and serves its request.
  a->WaitFor();
  EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "b2", "a2", "a on main"}));
  EXPECT_EQ(r.Now(), 10u);
  EXPECT_EQ(r.Live(), 0);
}

TEST(WorkerRegistry, WaitingFromInsideTheWorkersOwnRequestIsRefused) {
  for (TWorkerRegistry::TMode mode : {TWorkerRegistry::TMode::Free, TWorkerRegistry::TMode::LockStep}) {
    TWorkerRegistry r(mode);
    std::shared_ptr<IWorkerThread> w;
    std::atomic<bool> refused{false};
    w = r.Start([&] {
      r.Synchronize([&] {
        try {
          w->WaitFor();
        } catch (const std::logic_error&) {
          refused = true;
        }
      });
    });
    w->WaitFor();
    EXPECT_TRUE(refused);
    EXPECT_EQ(r.Live(), 0);
  }
}

}  // namespace
}  // namespace scr
