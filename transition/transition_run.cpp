// The picture show control: running a transition (Execute, the stepping loop, the
// worker's steps, Stop, the end of a run) and composing each frame. Every entry point
// is an event of the run table (view_run.h), applied in one place.
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
  bool Destroyed() const { return shared->Destroyed(); }

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
  Apply(TRunEvent::Destroy);
  host_.DetachControl(*this);
}

// The one place where the run changes: the cell of the table for the state the run is
// in and the event, its next phase first (so that whatever the action's handlers do
// meets the run where it now is), then its action. An error that leaves an action
// ends the run it belongs to.
void TCustomTransitionView::Apply(TRunEvent event, int value) {
  const TRunCell cell = RunCell(shared_->State(), event);
  if (cell.action == TRunAction::Ignore) return;
  const std::shared_ptr<TRunShared> shared = shared_;
  shared->phase.store(cell.next);
  try {
    switch (cell.action) {
      case TRunAction::Start: return StartRun();
      case TRunAction::Compose: return Compose(value);
      case TRunAction::Store: return shared->manual.store(event == TRunEvent::ManualOn);
      case TRunAction::Reset:
        shared->manual.store(event == TRunEvent::ManualOn);
        return shared->progress.store(Reverse() ? 100 : 0);
      case TRunAction::Resume:
        shared->manual.store(false);
        return Animate();
      case TRunAction::Halt:
        EndWorker();
        if (!shared->Destroyed()) Apply(TRunEvent::Complete);  // settles: no OnComplete
        return;
      case TRunAction::Finish:
      case TRunAction::Settle:
      case TRunAction::Abandon:
        thread_.reset();
        work_.reset();  // a frame under way keeps them until it ends
        if (cell.action == TRunAction::Finish && OnComplete) OnComplete(*this);
        return;
      case TRunAction::Clear: return ClearFrame();
      case TRunAction::Release: return EndWorker();
      case TRunAction::Ignore: return;
    }
  } catch (...) {
    if (!shared->Destroyed() && event != TRunEvent::Fail) Apply(TRunEvent::Fail);
    throw;
  }
}

void TCustomTransitionView::EndWorker() {
  if (std::shared_ptr<TAnimateThread> thread = thread_) {
    thread->Terminate();
    // From inside one of the worker's own steps the wait could never end: the worker,
    // told to end, ends after the step without touching the control.
    if (!thread->InOwnStep()) thread->WaitFor();
  }
}

// ---- Operations ----

void TCustomTransitionView::Execute() {
  if (picture_.HasGraphic()) Apply(TRunEvent::Execute);
}

void TCustomTransitionView::Stop() { Apply(TRunEvent::Stop); }

void TCustomTransitionView::Clear() { Apply(TRunEvent::Clear); }

void TCustomTransitionView::ClearFrame() {
  if (frame_.Empty() || !shared_->frameLock.TryLock()) return;
  frame_ = TBitmap24();
  shared_->frameLock.Unlock();
  Invalidate();
}

void TCustomTransitionView::SetProgress(int value) { Apply(TRunEvent::ProgressWrite, value); }

void TCustomTransitionView::SetManual(bool v) {
  if (v != Manual()) Apply(v ? TRunEvent::ManualOn : TRunEvent::ManualOff);
}

// ---- Running ----

void TCustomTransitionView::StartRun() {
  const std::shared_ptr<TRunShared> shared = shared_;
  ++shared->run;
  Prepare();
  if (!shared->Destroyed() && !Manual()) Animate();
}

void TCustomTransitionView::Compose(int value) {
  const int v = std::clamp(value, 0, 100);
  const int p = Progress();
  if (v == p) return;
  // A smaller value may uncover more than the new frame's rectangle.
  if (v < p && !painting_) InvalidateArea(TRect{0, 0, frame_.Width(), frame_.Height()});
  shared_->progress.store(static_cast<uint8_t>(v));
  const std::shared_ptr<TRunShared> shared = shared_;
  bool composed;
  {
    TFrame frame(*this);
    composed = ComposeFrame(frame);
    if (frame.Destroyed()) return;
  }
  // Each frame reaches the screen before the next step.
  if (composed && !painting_) host_.UpdateNow();
  if (OnProgress && !shared->Destroyed()) OnProgress(*this);
}

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
  const int p = Progress(), step = Step();
  // Forwards at most 200; the write clamps it to 100.
  Apply(TRunEvent::Step, Reverse() ? (p < step ? 0 : p - step) : p + step);
}

void TCustomTransitionView::Animate() {
  // A worker of this run on its way out: its end resumes the stepping.
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
  auto stepping = [&] { return shared->Stepping() && shared->run == run; };
  do {
    const uint32_t t0 = host.TickCount();
    AnimateStep();
    if (shared->Destroyed() || shared->run != run) return;
    if (shared->AtEnd()) return Apply(TRunEvent::Complete);
    // At least one pump; a step lasts strictly more than Delay milliseconds.
    do host.ProcessMessages();
    while (host.TickCount() - t0 <= static_cast<uint32_t>(shared->delay.load()) && stepping());
  } while (stepping());
}

void TCustomTransitionView::ThreadEnded(const TAnimateThread& thread, TRunEvent event) {
  if (thread_.get() != &thread) return;  // a worker this control has already let go
  thread_.reset();
  Apply(event);
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
    // The canvas lock is let go while a handler runs, so that a handler may wait for
    // another thread that draws.
    std::unique_lock<TCanvasLock> lock(frame.shared->frameLock);
    auto fire = [&](const TCustomDrawEvent& handler) {
      lock.unlock();
      handler(*this, newPicture, frame_);
      if (frame.Destroyed()) return false;
      lock.lock();
      return true;
    };

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
    if (OnBeforeNewFrame && !fire(OnBeforeNewFrame)) return false;
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
          if (!fire(OnCustomDraw)) return false;
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
    if (OnAfterNewFrame && !fire(OnAfterNewFrame)) return false;
  }
  return true;
}

}  // namespace scr
