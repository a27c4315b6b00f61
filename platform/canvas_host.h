#pragma once
// The client area of a screen window as the picture show control sees it: a 24-bit
// canvas the size of the client area, the controls attached to it, the rectangle that
// waits to be repainted, and the workers that hand their steps to the main thread.
// A backend derives its window host from this and supplies time, the message pump and
// the way a repainted part reaches the screen.
#include <cstdint>
#include <vector>

#include "common/bitmap24.h"
#include "platform/application.h"
#include "platform/worker_threads.h"
#include "transition/transition_host.h"

namespace scr::platform {

class TCanvasHost : public ITransitionHost {
 public:
  explicit TCanvasHost(std::function<void()> wakeMainThread = {}) : workers_(std::move(wakeMainThread)) {}

  // Invalid parts gather into one rectangle (clipped to the canvas).
  void InvalidateRect(const TRect& r) override;
  TRect ParentClientRect() override { return canvas_.Bounds(); }
  TColor ParentColor() override { return color_; }
  void AttachControl(TCustomTransitionView& control) override;
  void DetachControl(TCustomTransitionView& control) override;
  std::shared_ptr<IWorkerThread> StartThread(std::function<void()> body, TThreadPriority priority) override;
  void Synchronize(const std::function<void()>& fn) override { workers_.Synchronize(fn); }

  // The canvas as last painted.
  const TBitmap24& Canvas() const { return canvas_; }
  // Resizes the client area: the canvas turns to the colour, the attached controls
  // realign and everything waits to be repainted.
  void SetClientSize(int width, int height);
  // The colour behind the controls (0x00BBGGRR); everything waits to be repainted.
  void SetCanvasColor(uint32_t rgb);
  uint32_t CanvasColor() const { return color_; }
  // The part waiting to be repainted (empty when none); taking it empties it.
  TRect InvalidRect() const { return invalid_; }
  TRect TakeInvalidRect();
  // Repaints area: fills it with the colour and has every attached control paint
  // into it. Returns the part of the canvas repainted.
  TRect PaintArea(const TRect& area);
  // The attached controls (for routing the pointer's events).
  const std::vector<TCustomTransitionView*>& Controls() const { return controls_; }

 protected:
  // Main thread: the workers' waiting requests.
  void ServeWorkers() { workers_.Serve(); }
  // Main thread: what a window host's ProcessMessages does: the messages already
  // waiting, then the workers' requests (which those messages may have woken).
  void PumpThenServe(IApplication& app) {
    app.ProcessMessages();
    ServeWorkers();
  }
  // Main thread: waits for every worker, serving its requests meanwhile; a derived
  // host calls it first in its destructor, while what the workers use still exists.
  void WaitWorkers() { workers_.WaitAll(); }

 private:
  TBitmap24 canvas_;
  uint32_t color_ = 0;
  TRect invalid_;
  std::vector<TCustomTransitionView*> controls_;
  TWorkerThreads workers_;
};

}  // namespace scr::platform
