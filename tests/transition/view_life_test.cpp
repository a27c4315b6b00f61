// The control's run as one state: every event in every state does what the run table
// says, and destroying the control from inside its own handlers and its worker's steps
// leaves nothing touching it afterwards (these run under the sanitizers too).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "free_host.h"
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

}  // namespace

// Raises any event of the run, the internal ones included.
struct TRunEventProbe {
  static void Raise(TCustomTransitionView& v, TRunEvent e, int value) { v.Apply(e, value); }
};

namespace {

const char* const kStateNames[] = {"Idle", "Stepping", "ByHand", "Composing", "Stopping", "EndedMidFrame", "Destroyed"};
const char* const kEventNames[] = {"Execute",  "Step",      "Progress", "ManualOn", "ManualOff", "Stop",
                                   "Complete", "WorkerEnd", "Fail",     "Clear",    "Destroy"};

// Brings a threaded control into `state` and runs the probe there once, inside
// whichever handler the state exists in; inFrame tells whether that is inside a frame.
// Stopping is reached inside the worker's pending step that Stop waits for: the probe's
// control runs on a host whose workers run free. Destroyed is reached inside a handler
// that runs while the control's own destruction waits for its worker, which never
// happens, so its row is walked on a control whose destruction has begun through the
// probe. The handlers it installs stay on the control after it has reached the state,
// so they refer only to the walk, which lives as long as the control.
struct TWalk {
  TTransitionView* v = nullptr;
  std::function<void()>* onPump = nullptr;
  std::function<void(bool inFrame)> probe;
  bool ran = false;

  void Once(bool inFrame) {
    if (ran) return;
    ran = true;
    probe(inFrame);
  }
  void ManualAt30(bool stopFirst) {
    v->SetManual(true);
    v->Execute();
    v->OnBeforeNewFrame = [this, stopFirst](TCustomTransitionView& s, const TBitmap24&, TBitmap24&) {
      if (s.Progress() != 30 || ran) return;
      if (stopFirst) s.Stop();
      Once(true);
    };
    v->SetProgress(30);
  }
  bool Reach(TRunState state, const std::function<bool(const std::function<bool()>&)>& pump) {
    TTransitionView& view = *v;
    switch (state) {
      case TRunState::Idle:  // after a run that ended at 100
        view.Execute();
        if (!pump([&] { return !view.Busy(); })) return false;
        Once(false);
        break;
      case TRunState::Stepping:
        *onPump = [this] {
          if (!ran && v->Progress() >= 40) Once(false);
        };
        view.Execute();
        break;
      case TRunState::ByHand:
        view.SetManual(true);
        view.Execute();
        view.SetProgress(30);
        Once(false);
        break;
      case TRunState::Composing: ManualAt30(false); break;
      case TRunState::EndedMidFrame: ManualAt30(true); break;
      case TRunState::Stopping:
        view.SetDelay(0);
        view.OnBeforeNewFrame = [this](TCustomTransitionView& s, const TBitmap24&, TBitmap24&) {
          if (s.Stopping()) Once(true);
        };
        *onPump = [this] {
          if (!ran && v->Progress() >= 40) v->Stop();
        };
        view.Execute();
        break;
      case TRunState::Destroyed: return false;
    }
    return pump([this] { return ran; }) && ran;
  }
};

TEST(ViewRunTable, EveryEventInEveryStateDoesWhatTheTableSays) {
  int walked = 0;
  for (int si = 0; si < kRunStates; ++si) {
    const TRunState state = static_cast<TRunState>(si);
    for (int ei = 0; ei < kRunEvents; ++ei) {
      const TRunEvent event = static_cast<TRunEvent>(ei);
      SCOPED_TRACE(std::string(kStateNames[si]) + " / " + kEventNames[ei]);
      const TRunCell cell = RunCell(state, event);
      if (state == TRunState::Destroyed) {
        // Nothing runs once destruction has begun, whatever arrives.
        EXPECT_EQ(cell.action, TRunAction::Ignore);
        EXPECT_EQ(cell.next, TRunPhase::Destroyed);
        ++walked;
        continue;
      }
      // Stopping needs a pending step of a worker beside the main thread; the other
      // states are reached the same way every time in lock-step.
      const bool free = state == TRunState::Stopping;
      TWalk walk;  // first, so that it outlives the control whose handlers use it
      test::TFreeHost freeHost;
      TOwned o(true);
      ITransitionHost& host = free ? static_cast<ITransitionHost&>(freeHost) : o.host;
      if (free) o.view = std::make_unique<TTransitionView>(host);
      TTransitionView& v = *o.view;
      if (free) {
        v.SetBounds(0, 0, kW, kH);
        v.SetStyle(5);
        v.SetPicture(Graphic(Pattern(kW, kH, 2)).get());
        v.OnComplete = [&](TCustomTransitionView&) { ++o.completes; };
        freeHost.OnMessages = [&] {
          if (o.onPump) o.onPump();
        };
      }
      auto settled = [&] { return (!o.view || !o.view->Busy()) && (free ? freeHost.LiveWorkers() : o.host.LiveWorkers()) == 0; };
      auto pump = [&](const std::function<bool()>& done) {
        return free ? freeHost.PumpUntil(done, 5000) : o.host.PumpUntil(done, 100000);
      };
      v.OnAfterNewFrame = [&](TCustomTransitionView&, const TBitmap24&, TBitmap24&) { ++o.frames; };
      walk.v = &v;
      walk.onPump = &o.onPump;
      walk.probe = [&](bool inFrame) {
        ASSERT_EQ(v.RunState(), state);
        const int progress = v.Progress(), frames = o.frames, completes = o.completes;
        const bool busy = v.Busy();
        const bool wantManual = event == TRunEvent::ManualOn;
        switch (event) {
          case TRunEvent::Execute: v.Execute(); break;
          case TRunEvent::ProgressWrite: v.SetProgress(60); break;
          case TRunEvent::ManualOn:
          case TRunEvent::ManualOff:
            // Switching Manual to the value it has is no event: raise the event itself.
            if (v.Manual() != wantManual) v.SetManual(wantManual);
            else TRunEventProbe::Raise(v, event, 0);
            break;
          case TRunEvent::Stop: v.Stop(); break;
          case TRunEvent::Clear: v.Clear(); break;
          case TRunEvent::Destroy: o.view.reset(); return;
          default: TRunEventProbe::Raise(v, event, 60); break;
        }
        // The run is where the table sends it; a stop settles at once, after its wait.
        const TRunPhase next = cell.action == TRunAction::Halt ? TRunPhase::Idle : cell.next;
        EXPECT_EQ(v.RunState(), RunState(next, inFrame, v.Manual()));
        switch (cell.action) {
          case TRunAction::Ignore:
            EXPECT_EQ(v.Progress(), progress);
            EXPECT_EQ(o.frames, frames);
            EXPECT_EQ(o.completes, completes);
            break;
          case TRunAction::Start: EXPECT_EQ(v.Progress(), 0); break;
          case TRunAction::Compose:
            EXPECT_EQ(v.Progress(), 60);
            EXPECT_EQ(o.frames, frames + 1);
            break;
          case TRunAction::Store:
            EXPECT_EQ(v.Manual(), wantManual);
            EXPECT_EQ(v.Progress(), progress);
            EXPECT_EQ(v.Busy(), busy);
            break;
          case TRunAction::Reset:
            EXPECT_EQ(v.Manual(), wantManual);
            EXPECT_EQ(v.Progress(), 0);
            break;
          case TRunAction::Resume: EXPECT_FALSE(v.Manual()); break;
          case TRunAction::Finish: EXPECT_EQ(o.completes, completes + 1); break;
          case TRunAction::Halt:
          case TRunAction::Settle:
          case TRunAction::Abandon: EXPECT_EQ(o.completes, completes); break;
          case TRunAction::Clear: EXPECT_TRUE(v.FrameBitmap().Empty()); break;
          case TRunAction::Release: break;
        }
      };
      ASSERT_TRUE(walk.Reach(state, pump));
      ++walked;
      // Whatever the event left running ends cleanly.
      if (o.view) {
        o.view->Stop();
        EXPECT_TRUE(pump(settled));
        o.view.reset();
      }
    }
  }
  EXPECT_EQ(walked, kRunStates * kRunEvents);
}

}  // namespace
}  // namespace scr
