// The picture show control: running a transition (Execute, the stepping loop, the
// worker's steps, Stop, Complete) and composing each frame.
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

// Sets a flag for a scope and puts back its earlier value however the scope is left
// (a handler may start a nested frame or step).
struct TFlagScope {
  bool& flag;
  bool before;
  explicit TFlagScope(bool& f) : flag(f), before(f) { flag = true; }
  ~TFlagScope() { flag = before; }
};

}  // namespace

struct TCustomTransitionView::TRegionWork {
  TStyleRegionBuilder builder;
  TRegion region;
};

// Construction and destruction live here, where the region work is a complete type.
TCustomTransitionView::TCustomTransitionView(ITransitionHost& host) : host_(host) {
  picture_.OnChange = [this] { PictureChanged(); };
  bgPicture_.OnChange = [this] { BgPictureChanged(); };
  host_.AttachControl(*this);
}

TCustomTransitionView::~TCustomTransitionView() {
  destroying_ = true;
  if (std::shared_ptr<TAnimateThread> thread = thread_) {
    thread->Terminate();
    // From inside one of the worker's own steps the wait could never end; the worker
    // then finds its control gone from its reference and ends on its own.
    if (!inWorkerStep_) thread->WaitFor();
  }
  host_.DetachControl(*this);
}

// ---- Operations ----

void TCustomTransitionView::Execute() {
  if (busy_.load() || inFrame_ || !picture_.HasGraphic()) return;
  busy_.store(true);
  ++runId_;
  try {
    Prepare();
    if (!Manual()) Animate();
  } catch (...) {
    ReleaseWorkBitmaps();
    busy_.store(false);
    throw;
  }
}

void TCustomTransitionView::Stop() {
  if (!busy_.load() || stopping_.load()) return;
  stopping_.store(true);
  struct TClearStopping {
    std::atomic<bool>& flag;
    ~TClearStopping() { flag.store(false); }
  } clear{stopping_};
  if (std::shared_ptr<TAnimateThread> thread = thread_) {
    thread->Terminate();
    // Called from one of the worker's own steps, waiting would wait for this very
    // call to return: the run is completed here and the worker, told to end, ends
    // after the step without touching the control again.
    if (!inWorkerStep_) thread->WaitFor();
  }
  // The worker's termination handler normally completed the run already.
  if (busy_.load()) Complete();
}

void TCustomTransitionView::Clear() {
  if (busy_.load() || frame_.Empty()) return;
  if (!frameLock_.TryLock()) return;
  frame_ = TBitmap24();
  frameLock_.Unlock();
  Invalidate();
}

void TCustomTransitionView::SetProgress(int value) {
  const int v = std::clamp(value, 0, 100);
  const int p = Progress();
  if (!busy_.load() || v == p) return;
  // A smaller value may uncover more than the new frame's rectangle.
  if (v < p && !painting_) InvalidateArea(TRect{0, 0, frame_.Width(), frame_.Height()});
  progress_.store(static_cast<uint8_t>(v));
  UpdateFrame();
  if (OnProgress && !destroying_) OnProgress(*this);
}

// ---- Running ----

void TCustomTransitionView::Prepare() {
  const TGraphic& graphic = *picture_.Graphic();
  const int w = graphic.Width(), h = graphic.Height();
  {
    std::lock_guard<TCanvasLock> lock(frameLock_);
    ResizeKeeping(frame_, w, h, ColorRGB());
  }
  CalculatePicRect();
  // What the screen showed where the new picture will stand: PaintBuffer holds the
  // colour, background and previous picture as last painted.
  old_.SetSize(w, h);
  StretchCopy(old_, old_.Bounds(), paintBuffer_, SnapshotArea());
  new_.SetSize(w, h);
  graphic.Draw(new_, 0, 0);
  SetProgress(Reverse() ? 100 : 0);
}

bool TCustomTransitionView::AtEnd() const {
  const int p = Progress();
  return Reverse() ? p == 0 : p == 100;
}

bool TCustomTransitionView::Running(uint64_t run) const {
  return busy_.load() && !Manual() && !stopping_.load() && run == runId_;
}

void TCustomTransitionView::AnimateStep() {
  const int p = Progress(), step = Step();
  if (Reverse())
    SetProgress(p < step ? 0 : p - step);
  else
    SetProgress(p + step);  // at most 200; the write clamps it to 100
}

void TCustomTransitionView::Animate() {
  // A worker of this run that is still alive carries on (or, if it was already on its
  // way out, its termination handler starts the stepping again).
  if (thread_) return;
  if (threaded_) {
    thread_ = TAnimateThread::Start(*this, host_, threadPriority_);
    return;
  }
  const uint64_t run = runId_;
  bool done = false;
  do {
    const uint32_t t0 = host_.TickCount();
    AnimateStep();
    done = AtEnd();
    if (!done) {
      // At least one pump; a step lasts strictly more than Delay milliseconds.
      do host_.ProcessMessages();
      while (host_.TickCount() - t0 <= static_cast<uint32_t>(Delay()) && Running(run));
    }
  } while (!done && Running(run));
  // A handler may have stopped this run or started another meanwhile.
  if (done && busy_.load() && run == runId_) Complete();
}

void TCustomTransitionView::ThreadStep() {
  TFlagScope scope(inWorkerStep_);
  AnimateStep();
}

void TCustomTransitionView::ThreadTerminated(const TAnimateThread& thread, bool failed) {
  if (thread_.get() != &thread) return;  // a worker this control has already let go
  if (failed) {
    // An error ended the run: it did not reach its end, so no OnComplete.
    thread_.reset();
    busy_.store(false);
    ReleaseWorkBitmaps();
    return;
  }
  if (!thread.Terminated() && !destroying_ && busy_.load() && !stopping_.load() && !Manual() && !AtEnd()) {
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
  if (!busy_.load()) return;
  if (!stopping_.load() && Manual()) return;  // the application drives the run on
  busy_.store(false);
  ReleaseWorkBitmaps();
  if (OnComplete && !destroying_ && !stopping_.load()) OnComplete(*this);
}

void TCustomTransitionView::ReleaseWorkBitmaps() {
  // A handler that stops the run while its frame is being composed must not pull the
  // bitmaps from under the composition: they go when the frame is done.
  if (inFrame_) {
    releasePending_ = true;
    return;
  }
  releasePending_ = false;
  old_ = TBitmap24();
  new_ = TBitmap24();
}

// ---- Composing a frame ----

TFrameParams TCustomTransitionView::FrameParams() const {
  TFrameParams f;
  f.W = new_.Width();
  f.H = new_.Height();
  f.P = Progress();
  f.Step = Step();
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

void TCustomTransitionView::KeepFrameSize(int width, int height) {
  // The effects address FrameBitmap and NewBitmap at one size; a handler that resized
  // the frame gets it back at the picture's size.
  if (frame_.Width() != width || frame_.Height() != height) ResizeKeeping(frame_, width, height, ColorRGB());
}

void TCustomTransitionView::UpdateFrame() {
  const bool composed = ComposeFrame();
  if (releasePending_) ReleaseWorkBitmaps();
  // 9. Each frame reaches the screen before the next step.
  if (composed && !painting_) host_.UpdateNow();
}

bool TCustomTransitionView::ComposeFrame() {
  {
    TFlagScope scope(inFrame_);
    std::lock_guard<TCanvasLock> lock(frameLock_);

    // 1. Every frame starts from the old picture.
    DrawBitmap(frame_, 0, 0, old_);
    // 2.
    if (OnBeforeNewFrame) OnBeforeNewFrame(*this, new_, frame_);
    // 3. Extents, and the rectangles every style starts from.
    const TFrameParams f = FrameParams();
    KeepFrameSize(f.W, f.H);
    TRect D{0, 0, f.W, f.H}, S = D;

    // 4. Style work.
    const TStyleKind kind = StyleKind(style_);
    switch (kind) {
      case TStyleKind::Invalid:
        return false;  // the frame stays the old picture; nothing more happens
      case TStyleKind::Instant:
        if (OnCustomDraw) {
          OnCustomDraw(*this, new_, frame_);
          KeepFrameSize(f.W, f.H);
        } else if (!Reverse()) {
          // The first frame is the whole new picture and ends the run. At 100 the
          // composition below draws the picture whole, which is all that drawing it
          // here, through a region of the whole rectangle, would show.
          progress_.store(100);
        } else {
          // Backwards the run ends at 0 at once, showing what 0 shows: the old
          // picture. Setting 100 here would never reach the end of a reverse run.
          progress_.store(0);
        }
        break;
      case TStyleKind::RectangleCopy: {
        const TRectStylePlan plan = PlanRectangleStyle(style_, f);
        for (int i = 0; i < plan.furtherCount; ++i) {
          const TFurtherCopy& c = plan.further[static_cast<size_t>(i)];
          if (c.mirrorLeftRight || c.mirrorTopBottom)
            MirrorCopy(frame_, c.dst, new_, c.src, c.mirrorLeftRight, c.mirrorTopBottom);
          else
            StretchCopy(frame_, c.dst, new_, c.src);
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
        DrawPixelStyle(style_, f, new_, frame_);
        break;
    }

    // 5. Composition by the position after the style work.
    const int p = Progress();
    if (p == 100) {
      DrawBitmap(frame_, 0, 0, new_);
    } else if (p > 0) {
      switch (kind) {
        case TStyleKind::RectangleCopy: StretchCopy(frame_, D, new_, S); break;
        case TStyleKind::RegionShape:
        case TStyleKind::StripRegion: DrawThroughRegion(regionWork_->region, new_, frame_); break;
        // A custom-drawn frame keeps the handler's drawing; the pixel effects have
        // written the frame themselves.
        default: break;
      }
    }
    // 6. R is kept for its storage; the next region style rebuilds it. 7.
    InvalidateArea(D);
    // 8.
    if (OnAfterNewFrame) OnAfterNewFrame(*this, new_, frame_);
  }
  return true;
}

}  // namespace scr
