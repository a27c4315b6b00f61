// Running transitions: the step sequences, the instant style, stopping and switching
// to manual from message handlers, Clear, errors, and the worker thread run.
#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

#include "view_support.h"

namespace scr {
namespace {

using test::Graphic;
using test::Pattern;
using test::SamePicture;
using test::Solid;

constexpr int kW = 40, kH = 20;

// A control showing an old picture, with a record of what happened during a run.
struct TRun : test::TShownView {
  TBitmap24 oldPic = Pattern(kW, kH, 1), newPic = Pattern(kW, kH, 2);
  std::vector<int> progress;  // Progress at every OnProgress
  int completes = 0;
  int pumps = 0;
  std::function<void()> onPump;

  TRun() : TShownView(Pattern(kW, kH, 1), kW, kH) {
    view.SetStyle(5);
    view.OnProgress = [this](TCustomTransitionView& v) { progress.push_back(v.Progress()); };
    view.OnComplete = [this](TCustomTransitionView&) { ++completes; };
    host.OnMessages = [this] {
      ++pumps;
      if (onPump) onPump();
    };
    view.SetPicture(Graphic(newPic).get());
  }
};

std::vector<int> Sequence(int from, int to, int step) {
  std::vector<int> s;
  if (from < to)
    for (int p = from + step;; p += step) {
      s.push_back(std::min(p, to));
      if (p >= to) break;
    }
  else
    for (int p = from - step;; p -= step) {
      s.push_back(std::max(p, to));
      if (p <= to) break;
    }
  return s;
}

TEST(ViewRun, StepSequencesForwardAndBackward) {
  {
    TRun r;  // the first run after creation composes nothing before its first step
    r.view.Execute();
    EXPECT_EQ(r.progress, Sequence(0, 100, 4));
    EXPECT_EQ(r.progress.size(), 25u);
    EXPECT_EQ(r.completes, 1);
    EXPECT_FALSE(r.view.Busy());
    EXPECT_EQ(r.view.FrameBitmap(), r.newPic);
    // Every step but the last pumps until more than Delay virtual milliseconds passed.
    EXPECT_EQ(r.pumps, 24 * 41);
  }
  {
    TRun r;
    r.view.SetStep(30);
    r.view.Execute();
    EXPECT_EQ(r.progress, (std::vector<int>{30, 60, 90, 100}));
  }
  {
    TRun r;  // backwards: Prepare composes 100, the run ends at 0 on the old snapshot
    r.view.SetReverse(true);
    r.view.Execute();
    std::vector<int> want{100};
    for (int p : Sequence(100, 0, 4)) want.push_back(p);
    EXPECT_EQ(r.progress, want);
    EXPECT_EQ(r.completes, 1);
    EXPECT_EQ(r.view.Progress(), 0);
    EXPECT_EQ(r.view.FrameBitmap(), r.oldPic);
  }
  {
    TRun r;  // a forward run after one that ended at 100 composes 0 in Prepare
    r.view.SetManual(true);
    r.view.Execute();
    r.view.SetProgress(100);
    r.view.Stop();
    r.view.SetManual(false);  // idle: back to 0
    EXPECT_EQ(r.view.Progress(), 0);
  }
}

TEST(ViewRun, InstantStyleWithAndWithoutCustomDraw) {
  {
    TRun r;
    r.view.SetStyle(0);
    r.view.Execute();
    EXPECT_EQ(r.progress, (std::vector<int>{100}));  // the first step completes it
    EXPECT_EQ(r.completes, 1);
    EXPECT_EQ(r.view.FrameBitmap(), r.newPic);
  }
  {
    TRun r;  // backwards it completes at once too, on what 0 shows: the old picture
    r.view.SetStyle(0);
    r.view.SetReverse(true);
    r.view.Execute();
    EXPECT_FALSE(r.view.Busy());
    EXPECT_EQ(r.completes, 1);
    EXPECT_EQ(r.progress, (std::vector<int>{0}));
    EXPECT_EQ(r.view.FrameBitmap(), r.oldPic);
  }
  {
    TRun r;  // a custom draw handler draws every frame; its drawing stays below 100
    r.view.SetStyle(0);
    std::vector<int> drawn;
    std::vector<bool> kept;
    r.view.OnCustomDraw = [&](TCustomTransitionView& v, const TBitmap24& picture, TBitmap24& screen) {
      EXPECT_EQ(picture, r.newPic);
      drawn.push_back(v.Progress());
      screen.Fill(0x00FF00);
    };
    r.view.OnAfterNewFrame = [&](TCustomTransitionView& v, const TBitmap24&, TBitmap24& screen) {
      kept.push_back(screen == (v.Progress() == 100 ? r.newPic : Solid(kW, kH, 0x00FF00)));
    };
    r.view.Execute();
    EXPECT_EQ(drawn, Sequence(0, 100, 4));
    EXPECT_EQ(kept, std::vector<bool>(25, true));
    EXPECT_EQ(r.completes, 1);
  }
}

TEST(ViewRun, StopAndManualFromMessageHandlers) {
  {
    TRun r;  // Stop from a handler the pump runs: the loop ends, the frame stays
    r.onPump = [&] {
      if (r.view.Progress() >= 40) r.view.Stop();
    };
    r.view.Execute();
    EXPECT_FALSE(r.view.Busy());
    EXPECT_EQ(r.completes, 0);
    EXPECT_EQ(r.view.Progress(), 40);
    EXPECT_EQ(r.progress.back(), 40);
    for (int x = 0; x < kW; ++x) EXPECT_EQ(r.view.FrameBitmap().Pixel(x, 3), (x < 16 ? r.newPic : r.oldPic).Pixel(x, 3));
    r.view.Stop();  // idle: nothing
  }
  {
    TRun r;  // Manual on: stepping stops, still Busy; off: on to the end
    bool switched = false;
    r.onPump = [&] {
      if (!switched && r.view.Progress() >= 40) {
        switched = true;
        r.view.SetManual(true);
      }
    };
    r.view.Execute();
    EXPECT_TRUE(r.view.Busy());
    EXPECT_EQ(r.view.Progress(), 40);
    EXPECT_EQ(r.completes, 0);
    r.view.SetProgress(70);  // the application drives it meanwhile
    EXPECT_EQ(r.view.Progress(), 70);
    r.view.SetManual(false);
    EXPECT_FALSE(r.view.Busy());
    EXPECT_EQ(r.view.Progress(), 100);
    EXPECT_EQ(r.completes, 1);
    EXPECT_EQ(r.progress.back(), 100);
  }
  {
    TRun r;  // Stop inside a frame handler, on a pixel style, leaves the frame whole
    r.view.SetStyle(118);
    r.view.OnBeforeNewFrame = [&](TCustomTransitionView& v, const TBitmap24&, TBitmap24&) {
      if (v.Progress() == 12) v.Stop();
    };
    r.view.Execute();
    EXPECT_FALSE(r.view.Busy());
    EXPECT_EQ(r.view.Progress(), 12);
    EXPECT_EQ(r.completes, 0);
    EXPECT_EQ(r.view.FrameBitmap().Width(), kW);
  }
}

TEST(ViewRun, ManualRunsAndTheProgressWriteRule) {
  TRun r;
  r.view.SetManual(true);
  r.view.SetProgress(50);  // idle: ignored
  EXPECT_EQ(r.view.Progress(), 0);
  r.view.Execute();
  EXPECT_TRUE(r.view.Busy());
  EXPECT_TRUE(r.progress.empty());  // 0 was already the position
  r.view.SetProgress(250);
  EXPECT_EQ(r.view.Progress(), 100);
  r.view.SetProgress(100);  // unchanged: nothing composed
  EXPECT_EQ(r.progress, (std::vector<int>{100}));
  // Going back invalidates the whole picture, then the new frame.
  r.host.logInvalidations = true;
  r.view.SetProgress(-5);
  EXPECT_EQ(r.view.Progress(), 0);
  ASSERT_GE(r.host.invalidations.size(), 1u);
  EXPECT_EQ(r.host.invalidations.front(), (TRect{0, 0, kW, kH}));
  EXPECT_EQ(r.view.FrameBitmap(), r.oldPic);
  EXPECT_EQ(r.completes, 0);
  r.view.Stop();
  EXPECT_FALSE(r.view.Busy());
  EXPECT_EQ(r.completes, 0);
}

TEST(ViewRun, ClearMakesTheNextRunStartFromTheBackground) {
  TRun r;
  r.host.SetParentColor(0x0000FF);
  r.view.Clear();
  EXPECT_TRUE(r.view.FrameBitmap().Empty());
  r.view.Update();
  r.view.SetManual(true);
  r.view.Execute();
  r.view.SetProgress(50);
  const TBitmap24& f = r.view.FrameBitmap();
  for (int x = 0; x < kW; ++x) EXPECT_EQ(f.Pixel(x, 5), x < 20 ? r.newPic.Pixel(x, 5) : 0x0000FFu) << x;
  // Busy: ignored.
  r.view.Clear();
  EXPECT_FALSE(r.view.FrameBitmap().Empty());
  r.view.Stop();
  // Held by another thread's drawing: ignored; once released, cleared.
  std::promise<void> locked, done;
  std::future<void> lockedSeen = locked.get_future(), doneSeen = done.get_future();
  std::thread holder([&] {
    r.view.FrameCanvas().Lock();
    locked.set_value();
    doneSeen.wait();
    r.view.FrameCanvas().Unlock();
  });
  lockedSeen.wait();
  r.view.Clear();
  EXPECT_FALSE(r.view.FrameBitmap().Empty());
  done.set_value();
  holder.join();
  r.view.Clear();
  EXPECT_TRUE(r.view.FrameBitmap().Empty());
}

TEST(ViewRun, ExecuteNeedsAPictureAndReportsErrors) {
  TRun r;
  r.view.SetPicture(nullptr);
  r.view.Execute();
  EXPECT_FALSE(r.view.Busy());
  r.view.SetPicture(Graphic(r.newPic).get());
  r.view.OnBeforeNewFrame = [](TCustomTransitionView& v, const TBitmap24&, TBitmap24&) {
    if (v.Progress() == 8) throw std::runtime_error("frame failed");
  };
  EXPECT_THROW(r.view.Execute(), std::runtime_error);
  EXPECT_FALSE(r.view.Busy());
  r.view.OnBeforeNewFrame = nullptr;
  r.view.Execute();
  EXPECT_EQ(r.completes, 1);
}

TEST(ViewRun, OutOfRangeStylesLeaveTheOldPicture) {
  for (int style : {128, 200, 255}) {
    TRun r;
    r.view.SetStyle(static_cast<TShowStyle>(style));
    int after = 0;
    r.view.OnAfterNewFrame = [&](TCustomTransitionView&, const TBitmap24&, TBitmap24&) { ++after; };
    r.view.SetManual(true);
    r.view.Execute();
    r.view.SetProgress(60);
    EXPECT_EQ(r.view.FrameBitmap(), r.oldPic);
    EXPECT_EQ(after, 0);
    r.view.SetProgress(100);  // at 100 too: the frame is never composed
    EXPECT_EQ(r.view.FrameBitmap(), r.oldPic);
  }
}

// ---- The worker thread ----

struct TThreadedRun : TRun {
  std::vector<bool> onMain;
  std::thread::id main = std::this_thread::get_id();
  TThreadedRun() {
    view.SetThreaded(true);
    view.OnProgress = [this](TCustomTransitionView& v) {
      progress.push_back(v.Progress());
      onMain.push_back(std::this_thread::get_id() == main);
    };
    view.OnComplete = [this](TCustomTransitionView&) {
      ++completes;
      onMain.push_back(std::this_thread::get_id() == main);
    };
  }
  bool RunOut() { return host.PumpUntil([this] { return !view.Busy(); }, 100000); }
};

TEST(ViewThread, PacesTheSameStepsOnTheMainThread) {
  TThreadedRun r;
  r.view.Execute();
  EXPECT_TRUE(r.view.Busy());  // returns at once
  EXPECT_TRUE(r.progress.empty());
  ASSERT_TRUE(r.RunOut());
  EXPECT_EQ(r.progress, Sequence(0, 100, 4));
  EXPECT_EQ(r.completes, 1);
  EXPECT_EQ(r.onMain, std::vector<bool>(26, true));
  EXPECT_EQ(r.view.FrameBitmap(), r.newPic);
  EXPECT_TRUE(r.host.PumpUntil([&] { return r.host.LiveWorkers() == 0; }, 10));
}

TEST(ViewThread, StopWaitsForTheWorkerWithoutComplete) {
  {
    TThreadedRun r;  // from a message handler
    r.onPump = [&] {
      if (r.view.Progress() >= 40) r.view.Stop();
    };
    r.view.Execute();
    ASSERT_TRUE(r.RunOut());
    EXPECT_EQ(r.completes, 0);
    EXPECT_EQ(r.view.Progress(), 40);
    EXPECT_EQ(r.host.LiveWorkers(), 0);  // Stop waited for it
  }
  {
    TThreadedRun r;  // from inside one of the worker's own steps: no deadlock
    r.view.OnProgress = [&](TCustomTransitionView& v) {
      r.progress.push_back(v.Progress());
      if (v.Progress() == 20) v.Stop();
    };
    r.view.Execute();
    ASSERT_TRUE(r.RunOut());
    EXPECT_EQ(r.completes, 0);
    EXPECT_EQ(r.progress.back(), 20);
    EXPECT_TRUE(r.host.PumpUntil([&] { return r.host.LiveWorkers() == 0; }, 100));
  }
}

TEST(ViewThread, ManualSwitchedOnAndOffDuringAThreadedRun) {
  TThreadedRun r;
  bool switched = false;
  r.onPump = [&] {
    if (!switched && r.view.Progress() >= 40) {
      switched = true;
      r.view.SetManual(true);
    }
  };
  r.view.Execute();
  ASSERT_TRUE(r.host.PumpUntil([&] { return r.host.LiveWorkers() == 0; }, 100000));
  EXPECT_TRUE(r.view.Busy());
  EXPECT_EQ(r.view.Progress(), 40);
  EXPECT_EQ(r.completes, 0);
  r.view.SetManual(false);  // a new worker carries on to the end
  ASSERT_TRUE(r.RunOut());
  EXPECT_EQ(r.completes, 1);
  EXPECT_EQ(r.view.Progress(), 100);

  // Switched back before the worker has left: the run still reaches its end, once.
  TThreadedRun q;
  int state = 0;
  q.onPump = [&] {
    if (state == 0 && q.view.Progress() >= 40) {
      q.view.SetManual(true);
      q.view.SetManual(false);
      state = 1;
    }
  };
  q.view.Execute();
  ASSERT_TRUE(q.RunOut());
  EXPECT_EQ(q.completes, 1);
  EXPECT_EQ(q.view.Progress(), 100);
}

TEST(ViewThread, DestroyingTheControlMidRunEndsTheWorker) {
  TOffscreenHost host(kW, kH);
  int completes = 0;
  {
    TTransitionView view(host);
    view.SetStyle(51);
    view.OnComplete = [&](TCustomTransitionView&) { ++completes; };
    view.SetPicture(Graphic(Pattern(kW, kH, 3)).get());
    view.Execute();
    for (int i = 0; i < 100; ++i) host.ProcessMessages();
    EXPECT_TRUE(view.Busy());
  }
  EXPECT_EQ(completes, 0);
  EXPECT_EQ(host.LiveWorkers(), 0);
}

}  // namespace
}  // namespace scr
