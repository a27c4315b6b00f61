// The control's run as one state: every event in every state does what the run table
// says, and destroying the control from inside its own handlers and its worker's steps
// leaves nothing touching it afterwards (these run under the sanitizers too).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "view_support.h"

namespace scr {
namespace {

using test::Graphic;
using test::Pattern;

constexpr int kW = 40, kH = 20;

// A control on the heap, so that a handler can destroy it, with counts of its events.
struct TOwned {
  TOffscreenHost host{kW, kH};
  std::unique_ptr<TTransitionView> view = std::make_unique<TTransitionView>(host);
  int progresses = 0, completes = 0, frames = 0;
  std::function<void()> onPump;

  explicit TOwned(bool threaded) {
    view->SetBounds(0, 0, kW, kH);
    view->SetThreaded(threaded);
    view->SetStyle(5);
    view->SetPicture(Graphic(Pattern(kW, kH, 2)).get());
    view->OnProgress = [this](TCustomTransitionView&) { ++progresses; };
    view->OnComplete = [this](TCustomTransitionView&) { ++completes; };
    host.OnMessages = [this] {
      if (onPump) onPump();
    };
  }
  // Pumps until the run has ended (or the control is gone) and every worker has left.
  bool Settle() {
    return host.PumpUntil([this] { return (!view || !view->Busy()) && host.LiveWorkers() == 0; }, 100000);
  }
};

// ---- Destruction from inside the control's own doings ----

enum class THandler { Progress, BeforeFrame, AfterFrame, CustomDraw, Complete, Pump };

struct TDestroyCase {
  const char* name;
  bool threaded, manual;
  THandler handler;
};

TEST(ViewDestruction, FromInsideHandlersAndWorkerSteps) {
  const TDestroyCase cases[] = {
      {"worker step, OnProgress", true, false, THandler::Progress},
      {"worker step, frame handler", true, false, THandler::AfterFrame},
      {"worker end, OnComplete", true, false, THandler::Complete},
      {"loop step, OnProgress", false, false, THandler::Progress},
      {"loop, message pump", false, false, THandler::Pump},
      {"loop end, OnComplete", false, false, THandler::Complete},
      {"manual run, before the frame", false, true, THandler::BeforeFrame},
      {"manual run, after the frame", false, true, THandler::AfterFrame},
      {"manual run, custom draw", false, true, THandler::CustomDraw},
      {"manual run, OnProgress", false, true, THandler::Progress},
  };
  for (const TDestroyCase& c : cases) {
    SCOPED_TRACE(c.name);
    TOwned o(c.threaded);
    TTransitionView& v = *o.view;
    if (c.handler == THandler::CustomDraw) v.SetStyle(0);
    v.SetManual(c.manual);
    int after = 0;  // events seen once the control is gone
    auto destroyAt20 = [&](TCustomTransitionView& s) {
      if (!o.view) ++after;
      else if (s.Progress() == 20) o.view.reset();
    };
    auto frameHandler = [&](TCustomTransitionView& s, const TBitmap24&, TBitmap24&) { destroyAt20(s); };
    switch (c.handler) {
      case THandler::Progress: v.OnProgress = destroyAt20; break;
      case THandler::BeforeFrame: v.OnBeforeNewFrame = frameHandler; break;
      case THandler::AfterFrame: v.OnAfterNewFrame = frameHandler; break;
      case THandler::CustomDraw: v.OnCustomDraw = frameHandler; break;
      case THandler::Complete: v.OnComplete = [&](TCustomTransitionView&) { o.view.reset(); }; break;
      case THandler::Pump:
        o.onPump = [&] {
          if (o.view && o.view->Progress() == 20) o.view.reset();
        };
        break;
    }
    v.Execute();
    if (c.manual)
      for (int p = 4; o.view && p <= 100; p += 4) o.view->SetProgress(p);
    ASSERT_TRUE(o.Settle());
    EXPECT_FALSE(o.view);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(o.host.LiveWorkers(), 0);
    // The parent goes on working without the control.
    o.host.InvalidateRect(TRect{0, 0, kW, kH});
    o.host.UpdateNow();
  }
}

TEST(ViewDestruction, MidRunFromOutsideAndAfterStoppingInsideAStep) {
  {
    TOwned o(true);  // from outside, between two steps: waits for the worker
    o.view->Execute();
    ASSERT_TRUE(o.host.PumpUntil([&] { return o.view->Progress() >= 40; }, 100000));
    o.view.reset();
    EXPECT_EQ(o.host.LiveWorkers(), 0);
    EXPECT_EQ(o.completes, 0);
  }
  {
    TOwned o(true);  // Stop inside a step, then destroy inside a later frame handler
    o.view->OnProgress = [&](TCustomTransitionView& s) {
      if (s.Progress() == 20) s.Stop();
    };
    o.view->Execute();
    ASSERT_TRUE(o.Settle());
    EXPECT_EQ(o.view->Progress(), 20);
    o.view->SetManual(true);
    o.view->Execute();
    o.view->OnBeforeNewFrame = [&](TCustomTransitionView&, const TBitmap24&, TBitmap24&) { o.view.reset(); };
    o.view->SetProgress(50);
    EXPECT_FALSE(o.view);
    EXPECT_EQ(o.completes, 0);
  }
}

// ---- Every event in every state ----

const char* const kStateNames[] = {"Idle", "Automatic", "ByHand", "Composing", "Stopping", "Completing", "Ending"};
const char* const kEventNames[] = {"Execute", "Step", "Progress", "ManualOn", "ManualOff", "Stop", "WorkerEnd",
                                   "Destroy"};

// Brings a threaded control into `state` and runs probe there once, inside whichever
// handler the state exists in. Stopping lasts only while Stop waits for another
// thread's step, which the lock-step host never leaves pending, so it is not reached.
bool ReachState(TRunState state, TOwned& o, const std::function<void()>& probe) {
  TTransitionView& v = *o.view;
  bool ran = false;
  auto once = [&] {
    if (ran) return;
    ran = true;
    probe();
  };
  auto manualAt30 = [&](bool stopFirst) {
    v.SetManual(true);
    v.Execute();
    v.OnBeforeNewFrame = [&, stopFirst](TCustomTransitionView& s, const TBitmap24&, TBitmap24&) {
      if (s.Progress() != 30 || ran) return;
      if (stopFirst) s.Stop();
      once();
    };
    v.SetProgress(30);
  };
  switch (state) {
    case TRunState::Idle:  // after a run that ended at 100
      v.Execute();
      if (!o.Settle()) return false;
      once();
      break;
    case TRunState::Automatic:
      o.onPump = [&] {
        if (o.view && o.view->Progress() >= 40) once();
      };
      v.Execute();
      break;
    case TRunState::ByHand:
      v.SetManual(true);
      v.Execute();
      v.SetProgress(30);
      once();
      break;
    case TRunState::Composing: manualAt30(false); break;
    case TRunState::Ending: manualAt30(true); break;
    case TRunState::Completing:
      v.OnComplete = [&](TCustomTransitionView&) { once(); };
      v.Execute();
      break;
    case TRunState::Stopping: return false;
  }
  return o.host.PumpUntil([&] { return ran; }, 100000);
}

TEST(ViewRunTable, EveryEventInEveryStateDoesWhatTheTableSays) {
  const TRunEvent events[] = {TRunEvent::Execute,   TRunEvent::ProgressWrite, TRunEvent::ManualOn,
                              TRunEvent::ManualOff, TRunEvent::Stop,          TRunEvent::Destroy};
  int walked = 0;
  for (int si = 0; si < kRunStates; ++si) {
    const TRunState state = static_cast<TRunState>(si);
    if (state == TRunState::Stopping) continue;
    for (TRunEvent event : events) {
      SCOPED_TRACE(std::string(kStateNames[si]) + " / " + kEventNames[static_cast<int>(event)]);
      TOwned o(true);
      o.view->OnAfterNewFrame = [&](TCustomTransitionView&, const TBitmap24&, TBitmap24&) { ++o.frames; };
      const bool reached = ReachState(state, o, [&] {
        TTransitionView& v = *o.view;
        ASSERT_EQ(v.RunState(), state);
        const int progress = v.Progress(), frames = o.frames, completes = o.completes;
        const bool manual = v.Manual(), busy = v.Busy();
        const bool wantManual = event == TRunEvent::ManualOn;
        // Switching Manual to the value it has is no event at all.
        const bool noChange = (event == TRunEvent::ManualOn || event == TRunEvent::ManualOff) && manual == wantManual;
        const TRunAction action = noChange ? TRunAction::Ignore : RunAction(state, event);
        switch (event) {
          case TRunEvent::Execute: v.Execute(); break;
          case TRunEvent::ProgressWrite: v.SetProgress(60); break;
          case TRunEvent::ManualOn:
          case TRunEvent::ManualOff: v.SetManual(wantManual); break;
          case TRunEvent::Stop: v.Stop(); break;
          case TRunEvent::Destroy: o.view.reset(); return;
          default: break;
        }
        switch (action) {
          case TRunAction::Ignore:
            EXPECT_EQ(v.RunState(), state);
            EXPECT_EQ(v.Progress(), progress);
            EXPECT_EQ(o.frames, frames);
            break;
          case TRunAction::Start:
            EXPECT_EQ(v.RunState(), TRunState::Automatic);
            EXPECT_EQ(v.Progress(), 0);
            break;
          case TRunAction::Compose:
            EXPECT_EQ(v.Progress(), 60);
            EXPECT_EQ(o.frames, frames + 1);
            EXPECT_TRUE(v.Busy());
            break;
          case TRunAction::Store:
            EXPECT_EQ(v.Manual(), wantManual);
            EXPECT_EQ(v.Progress(), progress);
            EXPECT_EQ(v.Busy(), busy);
            break;
          case TRunAction::Reset:
            EXPECT_EQ(v.Manual(), wantManual);
            EXPECT_EQ(v.Progress(), 0);
            EXPECT_FALSE(v.Busy());
            break;
          case TRunAction::Resume:
            EXPECT_FALSE(v.Manual());
            EXPECT_EQ(v.RunState(), state == TRunState::Composing ? TRunState::Composing : TRunState::Automatic);
            break;
          case TRunAction::BeginStop:
            EXPECT_FALSE(v.Busy());
            EXPECT_EQ(o.completes, completes);
            break;
          default: ADD_FAILURE() << "unexpected action";
        }
      });
      ASSERT_TRUE(reached);
      ++walked;
      // Whatever the event left running ends cleanly.
      if (o.view) {
        o.view->Stop();
        EXPECT_TRUE(o.Settle());
      }
    }
  }
  EXPECT_EQ(walked, 6 * 6);
}

}  // namespace
}  // namespace scr
