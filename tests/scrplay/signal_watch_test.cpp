// The player's ending signals: the loop is asked to end; when it does not finish within
// the grace period, the last resort runs, and not when it does.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tools/scrplay/signal_watch.h"

namespace scr::play {
namespace {

bool WaitFor(const std::atomic<int>& value, int wanted) {
  for (int i = 0; i < 500 && value.load() < wanted; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return value.load() >= wanted;
}

TEST(SignalWatch, AStuckLoopMeetsTheLastResortAFinishedOneDoesNot) {
  std::atomic<int> asked{0}, lastResort{0};
  {
    TSignalWatch watch([&] { ++asked; }, [&] { ++lastResort; }, 50);
    EXPECT_FALSE(watch.Signalled());
    ::kill(::getpid(), SIGTERM);
    EXPECT_TRUE(WaitFor(asked, 1));
    EXPECT_TRUE(watch.Signalled());
    EXPECT_TRUE(WaitFor(lastResort, 1)) << "the loop never finished";
  }
  asked = 0;
  lastResort = 0;
  {
    TSignalWatch watch([&] { ++asked; }, [&] { ++lastResort; }, 60000);
    ::kill(::getpid(), SIGHUP);
    EXPECT_TRUE(WaitFor(asked, 1));
    watch.Finished();
  }
  EXPECT_EQ(lastResort.load(), 0);
}

}  // namespace
}  // namespace scr::play
