#pragma once
// A host without a window: the parent is an offscreen bitmap, time is a virtual
// millisecond clock, and worker threads run in lock-step with the main thread (only
// one of them runs at a time, handing over at Synchronize, Sleep and the end of the
// body), so a threaded run makes the same steps in the same order every time. For
// tools, benchmarks and tests.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "common/bitmap24.h"
#include "transition/transition_host.h"
#include "transition/worker_registry.h"

namespace scr {

class TOffscreenHost : public ITransitionHost {
 public:
  explicit TOffscreenHost(int clientWidth = 100, int clientHeight = 100);
  ~TOffscreenHost() override;
  TOffscreenHost(const TOffscreenHost&) = delete;
  TOffscreenHost& operator=(const TOffscreenHost&) = delete;

  // The clock reads virtual time; ProcessMessages runs OnMessages, hands over to the
  // workers whose turn it is, and advances the clock by 1 ms.
  uint32_t TickCount() override { return workers_.Now(); }
  void ProcessMessages() override;
  // Invalid parts gather into one rectangle; UpdateNow fills it with the parent's
  // colour and has every attached, visible control paint into it.
  void InvalidateRect(const TRect& r) override;
  void UpdateNow() override;
  TRect ParentClientRect() override { return canvas_.Bounds(); }
  TColor ParentColor() override { return parentColor_; }
  void AttachControl(TCustomTransitionView& control) override;
  void DetachControl(TCustomTransitionView& control) override;
  std::shared_ptr<IWorkerThread> StartThread(std::function<void()> body, TThreadPriority priority) override;
  void Synchronize(const std::function<void()>& fn) override;
  // On a worker: waits until the clock has advanced by ms. On the main thread:
  // advances the clock.
  void Sleep(uint32_t ms) override { workers_.Sleep(ms); }

  // The parent's client area as painted.
  const TBitmap24& Canvas() const { return canvas_; }
  // Resizes the parent (the canvas turns to the parent's colour) and realigns the
  // attached controls.
  void SetClientSize(int width, int height);
  void SetParentColor(TColor c) { parentColor_ = c; }
  // Moves the clock on (main thread).
  void Advance(uint32_t ms) { workers_.Advance(ms); }
  // The pending invalid rectangle (empty when none).
  TRect InvalidRect() const { return invalid_; }
  // Pumps until done() holds, at most limit times; true when it held.
  bool PumpUntil(const std::function<bool()>& done, int limit = 10000000);
  // Number of workers whose body has not returned yet.
  int LiveWorkers() { return workers_.Live(); }

  // Stands in for the window messages a real loop dispatches: called at every
  // ProcessMessages, before the workers' turn.
  std::function<void()> OnMessages;
  // While set, every rectangle passed to InvalidateRect is appended here.
  bool logInvalidations = false;
  std::vector<TRect> invalidations;
  int updateCount = 0;  // UpdateNow calls that painted something

 private:
  TBitmap24 canvas_;
  TColor parentColor_ = clBtnFace;
  TRect invalid_;
  std::vector<TCustomTransitionView*> controls_;

  TWorkerRegistry workers_{TWorkerRegistry::TMode::LockStep};
};

}  // namespace scr
