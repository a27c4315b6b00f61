// The control's worker running free beside the main thread, as on a real window: runs
// destroyed at random points, from the main thread, inside each handler and inside a
// worker's step. No handler runs once destruction has begun, and every run ends in
// bounded time (the sanitizer runs add: no race, no use after free).
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "free_host.h"
#include "view_support.h"

namespace scr {
namespace {

enum class TWhere { MainThread, Progress, BeforeFrame, AfterFrame, Complete, Stop, Never, kCount };

TEST(ViewFreeRun, RunsDestroyedAtRandomPointsRunNoHandlerAfterwards) {
  std::mt19937 random(2024);
  const TBitmap24 picture = test::Pattern(8, 8, 1);
  int violations = 0, completed = 0;
  for (int run = 0; run < 1000; ++run) {
    SCOPED_TRACE(run);
    test::TFreeHost host;
    auto view = std::make_unique<TTransitionView>(host);
    const auto where = static_cast<TWhere>(random() % static_cast<unsigned>(TWhere::kCount));
    const int at = static_cast<int>(1 + random() % 100);  // the run passes it, or ends at 100
    view->SetBounds(0, 0, 8, 8);
    view->SetStyle(static_cast<TShowStyle>(1 + random() % 127));
    view->SetStep(static_cast<int>(10 + random() % 41));  // a few steps each, to keep it quick
    view->SetDelay(0);
    view->SetPicture(test::Graphic(picture).get());
    bool destroying = false;
    auto destroy = [&] {
      destroying = true;
      view.reset();
    };
    // Every handler: none may run once destruction has begun.
    auto handler = [&](TWhere here) {
      if (destroying) {
        ++violations;
        return;
      }
      if (where == here && view->Progress() >= at) destroy();
    };
    auto frame = [&](TWhere here) {
      return [&, here](TCustomTransitionView&, const TBitmap24&, TBitmap24&) { handler(here); };
    };
    // A handler that destroys the control frees itself: destroying is its last act.
    view->OnProgress = [&](TCustomTransitionView& v) {
      if (!destroying && where == TWhere::Stop && v.Progress() >= at) return v.Stop();
      handler(TWhere::Progress);
    };
    view->OnBeforeNewFrame = frame(TWhere::BeforeFrame);
    view->OnAfterNewFrame = frame(TWhere::AfterFrame);
    view->OnComplete = [&](TCustomTransitionView&) {
      ++completed;
      if (destroying) ++violations;
      else if (where == TWhere::Complete) destroy();
    };
    host.OnMessages = [&] {
      if (where == TWhere::MainThread && view && view->Progress() >= at) destroy();
    };
    view->Execute();
    const bool settled = host.PumpUntil([&] { return (!view || !view->Busy()) && host.LiveWorkers() == 0; }, 5000);
    ASSERT_TRUE(settled) << "the run did not end";
    if (view) destroy();  // after the end, or after Stop
    EXPECT_EQ(host.LiveWorkers(), 0);
  }
  EXPECT_EQ(violations, 0);
  EXPECT_GT(completed, 0);
}

}  // namespace
}  // namespace scr
