#pragma once
// The picture show control: a windowless control that replaces the picture it shows by
// a new one through a numbered transition effect, frame by frame while Progress runs
// from 0 to 100 (or back). TCustomTransitionView holds the behaviour; TTransitionView
// publishes its properties. The control paints into its parent's window through an
// ITransitionHost.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "common/bitmap24.h"
#include "common/geometry.h"
#include "transition/colors.h"
#include "transition/frame_params.h"
#include "transition/picture.h"
#include "transition/transition_host.h"
#include "transition/view_run.h"

namespace scr {

class TAnimateThread;
class TCustomTransitionView;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;
enum TBackgroundMode : uint8_t { bmNone, bmTiled, bmStretched, bmCentered };
enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
using TShiftState = uint16_t;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                             ssDouble = 64;
using TCursor = int16_t;
inline constexpr TCursor crDrag = -12;
// Effect number; 0..127 are effects, larger values leave every frame the old picture.
using TShowStyle = uint8_t;

using TNotifyEvent = std::function<void(TCustomTransitionView& sender)>;
// Picture is the new picture at its own size, Screen the frame being composed;
// handlers may draw into Screen.
using TCustomDrawEvent =
    std::function<void(TCustomTransitionView& sender, const TBitmap24& picture, TBitmap24& screen)>;
using TMouseEvent =
    std::function<void(TCustomTransitionView& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TCustomTransitionView& sender, TShiftState shift, int x, int y)>;
using TDragDropEvent = std::function<void(TCustomTransitionView& sender, void* source, int x, int y)>;
using TDragOverEvent = std::function<void(TCustomTransitionView& sender, void* source, int x, int y, bool& accept)>;
using TEndDragEvent = std::function<void(TCustomTransitionView& sender, void* target, int x, int y)>;
using TStartDragEvent = std::function<void(TCustomTransitionView& sender)>;

class TCustomTransitionView {
 public:
  explicit TCustomTransitionView(ITransitionHost& host);
  virtual ~TCustomTransitionView();
  TCustomTransitionView(const TCustomTransitionView&) = delete;
  TCustomTransitionView& operator=(const TCustomTransitionView&) = delete;

  // The current position, 0..100. Writing clamps to 0..100 and is ignored unless Busy
  // or when unchanged; otherwise it composes the frame for the new value. This is how
  // a Manual transition is driven.
  int Progress() const { return shared_->progress.load(std::memory_order_relaxed); }
  void SetProgress(int value);
  // From Execute until the transition completes or is stopped.
  bool Busy() const { return shared_->Busy(); }
  // Where the run stands (see the table in view_run.h).
  TRunState RunState() const { return shared_->State(); }

  // Starts a transition from what is shown now to Picture with the current Style. Does
  // nothing while Busy, while a frame is being composed, or when Picture holds no
  // graphic. Runs the whole transition before returning unless Threaded or Manual.
  void Execute();
  // Ends a running transition at once without OnComplete; the frame reached so far
  // stays. Waits for the worker thread if there is one.
  void Stop();
  // When not Busy: empties the shown picture so that only the colour and background
  // show, and requests a repaint. Ignored while Busy, when already empty, or while
  // another thread holds the frame's canvas.
  void Clear();
  // When not Busy and `frame` has the shown frame's size: shows it at once in place of
  // the shown picture, without a transition, and repaints now. The bitmaps are swapped,
  // so `frame` comes back holding the frame shown before, for reuse. False (nothing
  // changed) when it cannot: a moving picture is redrawn this way while it is held.
  bool ReplaceFrame(TBitmap24& frame);

  // Position and size in the parent's client area.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  TRect ClientRect() const { return TRect{0, 0, width_, height_}; }
  TRect BoundsRect() const { return TRect{left_, top_, left_ + width_, top_ + height_}; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // The parent's client area changed: applies Align again.
  void ParentResized();

  // Requests a repaint of the whole control; repaints the invalid parts now; both.
  void Invalidate();
  void Update();
  void Repaint() {
    Invalidate();
    Update();
  }

  // The host's paint handling (main thread): composes the control and copies it onto
  // the parent's canvas (parent client coordinates) inside updateRect.
  void Paint(TBitmap24& parentCanvas, const TRect& updateRect);
  // The part of the parent's client area that Paint covers whole (the control is
  // opaque): its bounds while visible, nothing while it is already painting.
  TRect OpaqueRect() const { return visible_ && !painting_ ? BoundsRect() : TRect{}; }

  // Input from the host, in client coordinates. Ignored while not Enabled.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void Click();
  void DblClick();
  void MouseEnter();
  void MouseLeave();

  // What Paint shows: the current frame during a transition, the complete picture after.
  const TBitmap24& FrameBitmap() const { return frame_; }
  // Where FrameBitmap stands in client coordinates when not stretched.
  const TRect& PicRect() const { return picRect_; }
  // The lock of FrameBitmap's canvas, for drawers on other threads.
  TCanvasLock& FrameCanvas() { return shared_->frameLock; }
  bool Painting() const { return painting_; }
  bool Stopping() const { return shared_->phase.load() == TRunPhase::Stopping; }
  ITransitionHost& Host() { return host_; }

  // Properties.
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors v) { anchors_ = v; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TBackgroundMode BgMode() const { return bgMode_; }
  void SetBgMode(TBackgroundMode v);
  TViewPicture& BgPicture() { return bgPicture_; }
  void SetBgPicture(const TGraphic* g) { bgPicture_.Assign(g); }
  bool Center() const { return center_; }
  void SetCenter(bool v);
  // The colour behind everything; the parent's while ParentColor is on.
  TColor Color() const;
  void SetColor(TColor v);
  int Delay() const { return shared_->delay.load(std::memory_order_relaxed); }
  void SetDelay(int v) { shared_->delay.store(static_cast<uint16_t>(v), std::memory_order_relaxed); }
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor v) { dragCursor_ = v; }
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode v) { dragMode_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Manual() const { return shared_->manual.load(std::memory_order_relaxed); }
  void SetManual(bool v);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v) { parentShowHint_ = v; }
  // The picture the next transition brings in (a copy of what is assigned).
  TViewPicture& Picture() { return picture_; }
  void SetPicture(const TGraphic* g) { picture_.Assign(g); }
  bool Reverse() const { return shared_->reverse.load(std::memory_order_relaxed); }
  void SetReverse(bool v) { shared_->reverse.store(v, std::memory_order_relaxed); }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool StretchFine() const { return stretchFine_; }
  void SetStretchFine(bool v);
  int Step() const { return step_.load(std::memory_order_relaxed); }
  // 0 becomes 1, values above 100 become 100.
  void SetStep(int v);
  TShowStyle Style() const { return style_; }
  void SetStyle(TShowStyle v) { style_ = v; }
  bool Threaded() const { return threaded_; }
  void SetThreaded(bool v) { threaded_ = v; }
  TThreadPriority ThreadPriority() const { return threadPriority_; }
  void SetThreadPriority(TThreadPriority v) { threadPriority_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v);

  // Events. A handler may call Stop, switch Manual, write Progress or destroy the
  // control.
  TCustomDrawEvent OnAfterNewFrame;   // after a frame has been composed
  TCustomDrawEvent OnBeforeNewFrame;  // before a frame is composed
  TCustomDrawEvent OnCustomDraw;      // style 0 only: draws the frame instead
  TNotifyEvent OnChange;              // Picture changed
  TNotifyEvent OnComplete;            // a transition ran to its end
  TNotifyEvent OnProgress;            // a frame for a new Progress value was composed
  TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;

 private:
  friend class TAnimateThread;
  // Raises the run's internal events (a step, the end, the worker's end, an error) in
  // the tests of the run table.
  friend struct TRunEventProbe;

  // Running a transition.
  struct TRunWork;
  class TFrame;
  // Applies an event of the run table; value is the position a Progress write or a
  // step asks for.
  void Apply(TRunEvent event, int value = 0);
  void StartRun();
  void Compose(int value);
  void ClearFrame();
  void Prepare();
  void Animate();
  void AnimateStep();
  // Tells the worker to end and waits for it.
  void EndWorker();
  // The worker's end, on the main thread: Complete, WorkerEnd or Fail.
  void ThreadEnded(const TAnimateThread& thread, TRunEvent event);
  bool ComposeFrame(TFrame& frame);
  void KeepFrameSize(int width, int height);

  // Geometry and painting.
  void CalculatePicRect();
  TRect SnapshotArea() const;
  void InvalidateArea(TRect r);
  void RequestRepaint();
  void Resized();
  void AdjustSize();
  void Realign();
  void PictureChanged();
  void BgPictureChanged();
  uint32_t ColorRGB() const;
  // Where Paint draws FrameBitmap when stretched, and the part of the client area the
  // frame covers (empty without a frame).
  TRect FrameTarget(const TRect& client) const;
  TRect FrameArea(const TRect& client) const;

  ITransitionHost& host_;
  // First, so it is there while the members below are destroyed.
  std::shared_ptr<TRunShared> shared_ = std::make_shared<TRunShared>();

  // Properties.
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  bool autoSize_ = true;
  TBackgroundMode bgMode_ = bmTiled;
  TViewPicture bgPicture_;
  bool center_ = false;
  TColor color_ = clWindow;
  TCursor dragCursor_ = crDrag;
  TDragMode dragMode_ = dmManual;
  bool enabled_ = true;
  bool parentColor_ = true;
  bool parentShowHint_ = true;
  TViewPicture picture_;
  bool showHint_ = false;
  bool stretch_ = false;
  bool stretchFine_ = false;
  std::atomic<uint16_t> step_{kDefaultStep};
  TShowStyle style_ = 51;
  bool threaded_ = true;
  TThreadPriority threadPriority_ = TThreadPriority::tpNormal;
  bool visible_ = true;
  int left_ = 0, top_ = 0, width_ = 100, height_ = 100;

  bool painting_ = false;

  // Bitmaps (24 bits per pixel). OldBitmap and NewBitmap exist only while Busy, in the
  // run's work, which a frame under way keeps until it ends.
  TBitmap24 frame_;  // FrameBitmap
  std::shared_ptr<TRunWork> work_;
  TBitmap24 paintBuffer_;  // what was last painted, client-sized
  TRect picRect_;
  // The region styles' builder and region, kept from frame to frame so that their
  // storage is reused.
  struct TRegionWork;
  std::unique_ptr<TRegionWork> regionWork_;
  std::shared_ptr<TAnimateThread> thread_;
};

// Repaints area of a parent's canvas: the colour (0x00BBGGRR) where no control covers
// it, then every control in turn. The colour is not written under the control that
// covers most of the area, which paints all of its part.
void PaintControls(TBitmap24& canvas, const TRect& area, uint32_t rgb,
                   std::span<TCustomTransitionView* const> controls);

// The control as applications use it: every property is public on the base class, so
// this class adds nothing but its name.
class TTransitionView : public TCustomTransitionView {
 public:
  using TCustomTransitionView::TCustomTransitionView;
};

}  // namespace scr
