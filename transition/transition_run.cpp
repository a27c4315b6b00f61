// The picture show control: running a transition (Execute, the stepping loop, the
// worker's steps, Stop, Complete) and composing each frame. Each entry point asks the
// run table (view_run.h) what it may do in the state the run is in.
#include <algorithm>
#include <mutex>

#include "common/muldiv.h"
#include "common/stretch.h"
#include "transition/animate_thread.h"
#include "transition/canvas_ops.h"
#include "transition/effect_families.h"
#include "transition/effect_regions.h"
#include "transition/rect_styles.h"
#include "transition/transition_view.h"

namespace scr {

namespace {

TFrameParams FrameParamsFor(const TBitmap24& newPicture, int progress, int step) {
  TFrameParams f;
  f.W = newPicture.Width();
  f.H = newPicture.Height();
  f.P = progress;
  f.Step = step;
  if (f.W > 0 && f.H > 0) {
    if (f.W >= f.H) {
      f.X = MulDiv(f.W, f.P, 100);
      f.Y = MulDiv(f.X, f.H, f.W);
    } else {
      f.Y = MulDiv(f.H, f.P, 100);
      f.X = MulDiv(f.Y, f.W, f.H);
    }
  }
  f.G = MulDiv(std::max(f.W, f.H), f.Step, 90);
  return f;
}

}  // namespace

struct TCustomTransitionView::TRegionWork {
  TStyleRegionBuilder builder;
  TRegion region;
};

// The bitmaps of one run, from Prepare until the run ends.
struct TCustomTransitionView::TRunWork {
  TBitmap24 oldPicture;  // OldBitmap: what the screen showed where the picture will stand
  TBitmap24 newPicture;  // NewBitmap: the new picture at its own size
};

// A frame under way: the run counts as composing until it ends. It keeps what it
// composes with, so that a handler may stop the run (the frame still finishes on the
// run's bitmaps) or destroy the control (the frame then ends at once, and the canvas
// lock it holds still exists to be let go).
class TCustomTransitionView::TFrame {
 public:
  explicit TFrame(const TCustomTransitionView& view) : shared(view.shared_), work(view.work_) { ++shared->frames; }
  ~TFrame() { --shared->frames; }
  bool Gone() const { return shared->Gone(); }

  const std::shared_ptr<TRunShared> shared;
  const std::shared_ptr<TRunWork> work;
};

// Construction and destruction live here, where the run's types are complete.
TCustomTransitionView::TCustomTransitionView(ITransitionHost& host) : host_(host) {
  picture_.OnChange = [this] { PictureChanged(); };
  bgPicture_.OnChange = [this] { BgPictureChanged(); };
  host_.AttachControl(*this);
}

TCustomTransitionView::~TCustomTransitionView() {
  shared_->life.store(TRunShared::TLife::Destroying);
  EndWorker();  // from inside its step, the worker finds the control gone afterwards
  shared_->life.store(TRunShared::TLife::Gone);
  host_.DetachControl(*this);
}

void TCustomTransitionView::EndWorker() {
  if (std::shared_ptr<TAnimateThread> thread = thread_) {
    thread->Terminate();
    // From inside one of the worker's own steps the wait could never end: the worker,
    // told to end, ends after the step.
    if (!thread->InOwnStep()) thread->WaitFor();
  }
}

void TCustomTransitionView::Abandon() {
  thread_.reset();
  work_.reset();
  shared_->phase.store(TRunPhase::Idle);
}

// ---- Operations ----

void TCustomTransitionView::Execute() {
  if (Action(TRunEvent::Execute) != TRunAction::Start || !picture_.HasGraphic()) return;
  const std::shared_ptr<TRunShared> shared = shared_;
  shared->phase.store(TRunPhase::Running);
  ++shared->run;
  try {
    Prepare();
    if (!shared->Gone() && !Manual()) Animate();
  } catch (...) {
    if (!shared->Gone()) Abandon();
    throw;
  }
}

void TCustomTransitionView::Stop() {
  if (Action(TRunEvent::Stop) != TRunAction::BeginStop) return;
  const std::shared_ptr<TRunShared> shared = shared_;
  const uint64_t run = shared->run;
  shared->phase.store(TRunPhase::Stopping);
  try {
    EndWorker();
  } catch (...) {
    if (!shared->Gone() && shared->phase.load() == TRunPhase::Stopping) shared->phase.store(TRunPhase::Running);
    throw;
  }
  // The worker's end normally completed the run already (not when this Stop came from
  // inside one of its steps).
  if (!shared->Gone() && shared->phase.load() == TRunPhase::Stopping && shared->run == run) Complete();
}

void TCustomTransitionView::Clear() {
  if (Busy() || frame_.Empty()) return;
  if (!shared_->frameLock.TryLock()) return;
  frame_ = TBitmap24();
  shared_->frameLock.Unlock();
  Invalidate();
}

void TCustomTransitionView::SetProgress(int value) {
  const int v = std::clamp(value, 0, 100);
  const int p = Progress();
  if (v == p || Action(TRunEvent::ProgressWrite) != TRunAction::Compose) return;
  // A smaller value may uncover more than the new frame's rectangle.
  if (v < p && !painting_) InvalidateArea(TRect{0, 0, frame_.Width(), frame_.Height()});
  shared_->progress.store(static_cast<uint8_t>(v));
  const std::shared_ptr<TRunShared> shared = shared_;
  bool composed;
  {
    TFrame frame(*this);
    composed = ComposeFrame(frame);
    if (frame.Gone()) return;
  }
  // Each frame reaches the screen before the next step.
  if (composed && !painting_) host_.UpdateNow();
  if (OnProgress && !shared->Destroying()) OnProgress(*this);
}

// ---- Running ----

void TCustomTransitionView::Prepare() {
  const TGraphic& graphic = *picture_.Graphic();
  const int w = graphic.Width(), h = graphic.Height();
  {
    std::lock_guard<TCanvasLock> lock(shared_->frameLock);
    ResizeKeeping(frame_, w, h, ColorRGB());
  }
  CalculatePicRect();
  auto work = std::make_shared<TRunWork>();
  // What the screen showed where the new picture will stand: PaintBuffer holds the
  // colour, background and previous picture as last painted.
  work->oldPicture.SetSize(w, h);
  StretchCopy(work->oldPicture, work->oldPicture.Bounds(), paintBuffer_, SnapshotArea());
  work->newPicture.SetSize(w, h);
  graphic.Draw(work->newPicture, 0, 0);
  work_ = std::move(work);
  SetProgress(Reverse() ? 100 : 0);
}

void TCustomTransitionView::AnimateStep() {
  if (Action(TRunEvent::Step) != TRunAction::Compose) return;
  const int p = Progress(), step = Step();
  if (Reverse())
    SetProgress(p < step ? 0 : p - step);
  else
    SetProgress(p + step);  // at most 200; the write clamps it to 100
}

void TCustomTransitionView::Animate() {
  // A worker of this run that is still alive carries on (or, if it was already on its
  // way out, its end starts the stepping again).
  if (thread_) return;
  if (threaded_) {
    thread_ = TAnimateThread::Start(*this, shared_, host_, threadPriority_);
    return;
  }
  // A handler run by a step or by the message pump may stop this run, switch Manual
  // on, start another run or destroy the control: the loop then ends without touching
  // the control.
  const std::shared_ptr<TRunShared> shared = shared_;
  ITransitionHost& host = host_;
  const uint64_t run = shared->run;
  auto stepping = [&] { return !shared->Gone() && shared->Automatic() && shared->run == run; };
  bool done = false;
  do {
    const uint32_t t0 = host.TickCount();
    AnimateStep();
    if (shared->Gone()) return;
    done = shared->AtEnd();
    if (!done) {
      // At least one pump; a step lasts strictly more than Delay milliseconds.
      do host.ProcessMessages();
      while (host.TickCount() - t0 <= static_cast<uint32_t>(shared->delay.load()) && stepping());
    }
  } while (!done && stepping());
  if (done && !shared->Gone() && shared->Busy() && shared->run == run) Complete();
}

void TCustomTransitionView::ThreadTerminated(const TAnimateThread& thread, bool failed) {
  if (thread_.get() != &thread) return;  // a worker this control has already let go
  if (Action(TRunEvent::WorkerEnd) != TRunAction::Finish) {
    thread_.reset();
    return;
  }
  if (failed) return Abandon();  // the run did not reach its end: no OnComplete
  if (!thread.Terminated() && !shared_->Destroying() && shared_->Automatic() && !shared_->AtEnd()) {
    // The worker left because Manual was on, and Manual was switched off again before
    // its end reached the main thread.
    thread_.reset();
    Animate();
    return;
  }
  Complete();
}

void TCustomTransitionView::Complete() {
  thread_.reset();
  const TRunPhase phase = shared_->phase.load();
  const bool stopped = phase == TRunPhase::Stopping;
  // Not running, or a run switched to Manual: the application drives it on.
  if (!stopped && (phase != TRunPhase::Running || Manual())) return;
  const std::shared_ptr<TRunShared> shared = shared_;
  const uint64_t run = shared->run;
  shared->phase.store(TRunPhase::Completing);
  work_.reset();  // a frame under way keeps them until it ends
  if (!stopped && OnComplete && !shared->Destroying()) {
    OnComplete(*this);
    if (shared->Gone()) return;
  }
  // OnComplete may have started the next run.
  if (shared->phase.load() == TRunPhase::Completing && shared->run == run) shared->phase.store(TRunPhase::Idle);
}

// ---- Composing a frame ----

void TCustomTransitionView::KeepFrameSize(int width, int height) {
  // The effects address FrameBitmap and NewBitmap at one size; a handler that resized
  // the frame gets it back at the picture's size.
  if (frame_.Width() != width || frame_.Height() != height) ResizeKeeping(frame_, width, height, ColorRGB());
}

// Composes FrameBitmap for the current Progress and Style; false when the style draws
// nothing or a handler destroyed the control.
bool TCustomTransitionView::ComposeFrame(TFrame& frame) {
  const TBitmap24& oldPicture = frame.work->oldPicture;
  const TBitmap24& newPicture = frame.work->newPicture;
  {
    std::lock_guard<TCanvasLock> lock(frame.shared->frameLock);

    // 1. Every frame starts from the old picture. A rectangle style whose one copy is
    // the final one composes its frame in a single pass instead (the old picture where
    // the new one does not cover it), unless a handler is to see the old picture first.
    const int p0 = Progress();
    const bool sameSizes = oldPicture.Width() == newPicture.Width() && oldPicture.Height() == newPicture.Height() &&
                           frame_.Width() == newPicture.Width() && frame_.Height() == newPicture.Height();
    const bool onePass = !OnBeforeNewFrame && sameSizes && p0 > 0 && p0 < 100 &&
                         StyleKind(style_) == TStyleKind::RectangleCopy &&
                         PlanRectangleStyle(style_, FrameParamsFor(newPicture, p0, Step())).furtherCount == 0;
    if (!onePass) DrawBitmap(frame_, 0, 0, oldPicture);
    // 2.
    if (OnBeforeNewFrame) {
      OnBeforeNewFrame(*this, newPicture, frame_);
      if (frame.Gone()) return false;
    }
    // 3. Extents, and the rectangles every style starts from.
    const TFrameParams f = FrameParamsFor(newPicture, Progress(), Step());
    KeepFrameSize(f.W, f.H);
    TRect D{0, 0, f.W, f.H}, S = D;

    // 4. Style work.
    const TStyleKind kind = StyleKind(style_);
    switch (kind) {
      case TStyleKind::Invalid:
        return false;  // the frame stays the old picture; nothing more happens
      case TStyleKind::Instant:
        if (OnCustomDraw) {
          OnCustomDraw(*this, newPicture, frame_);
          if (frame.Gone()) return false;
          KeepFrameSize(f.W, f.H);
        } else if (!Reverse()) {
          // The first frame is the whole new picture and ends the run. At 100 the
          // composition below draws the picture whole, which is all that drawing it
          // here, through a region of the whole rectangle, would show.
          shared_->progress.store(100);
        } else {
          // Backwards the run ends at 0 at once, showing what 0 shows: the old
          // picture. Setting 100 here would never reach the end of a reverse run.
          shared_->progress.store(0);
        }
        break;
      case TStyleKind::RectangleCopy: {
        const TRectStylePlan plan = PlanRectangleStyle(style_, f);
        for (int i = 0; i < plan.furtherCount; ++i) {
          const TFurtherCopy& c = plan.further[static_cast<size_t>(i)];
          if (c.mirrorLeftRight || c.mirrorTopBottom)
            MirrorCopy(frame_, c.dst, newPicture, c.src, c.mirrorLeftRight, c.mirrorTopBottom);
          else
            StretchCopy(frame_, c.dst, newPicture, c.src);
          InvalidateArea(c.dst);
        }
        D = plan.D;
        S = plan.S;
        break;
      }
      case TStyleKind::RegionShape:
      case TStyleKind::StripRegion:
        // Built at every position, 0 and 100 included, so the random strip styles
        // draw from the generator on every frame.
        if (!regionWork_) regionWork_ = std::make_unique<TRegionWork>();
        regionWork_->builder.Build(style_, f, regionWork_->region);
        break;
      case TStyleKind::Pixel:
        DrawPixelStyle(style_, f, newPicture, frame_);
        break;
    }

    // 5. Composition by the position after the style work.
    const int p = Progress();
    if (p == 100) {
      DrawBitmap(frame_, 0, 0, newPicture);
    } else if (p > 0) {
      switch (kind) {
        case TStyleKind::RectangleCopy:
          if (onePass)
            StretchCopyOver(frame_, oldPicture, D, newPicture, S);
          else
            StretchCopy(frame_, D, newPicture, S);
          break;
        case TStyleKind::RegionShape:
        case TStyleKind::StripRegion: DrawThroughRegion(regionWork_->region, newPicture, frame_); break;
        // A custom-drawn frame keeps the handler's drawing; the pixel effects have
        // written the frame themselves.
        default: break;
      }
    }
    // 6. R is kept for its storage; the next region style rebuilds it. 7.
    InvalidateArea(D);
    // 8.
    if (OnAfterNewFrame) {
      OnAfterNewFrame(*this, newPicture, frame_);
      if (frame.Gone()) return false;
    }
  }
  return true;
}

}  // namespace scr
