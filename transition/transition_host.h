#pragma once
// What the windowless picture show control needs from the window it lives in: time,
// the message pump, invalidation and repaint of the parent's window, colours, and
// worker threads that hand their work to the main thread. The platform layer
// implements it for each backend; TOffscreenHost is a window-free one.
#include <cstdint>
#include <functional>
#include <memory>

#include "common/geometry.h"
#include "transition/colors.h"

namespace scr {

class TCustomTransitionView;

enum class TThreadPriority : uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A worker started by the host. The host keeps it until its body has returned.
class IWorkerThread {
 public:
  virtual ~IWorkerThread() = default;
  // Main thread: blocks until the body has returned, running the worker's Synchronize
  // requests meanwhile (so a worker waiting on the main thread can still finish).
  virtual void WaitFor() = 0;
  // Main thread: one of the worker's Synchronize requests is running (further up this
  // stack, so a wait for the worker from here could never end).
  virtual bool Serving() = 0;
};

class ITransitionHost {
 public:
  virtual ~ITransitionHost() = default;

  // Milliseconds since an arbitrary start, wrapping at 2^32. Any thread.
  virtual uint32_t TickCount() = 0;
  // Dispatches the window messages (and the workers' Synchronize requests) that are
  // waiting, then returns. Main thread.
  virtual void ProcessMessages() = 0;

  // Marks r (parent client coordinates) for repainting, without erasing the background.
  virtual void InvalidateRect(const TRect& r) = 0;
  // Repaints the invalid parts now: the host calls Paint of the attached controls with
  // the parent's canvas before returning.
  virtual void UpdateNow() = 0;
  // The parent's client area (origin 0, 0), for alignment.
  virtual TRect ParentClientRect() = 0;
  // The parent's colour, taken by a control while its ParentColor is on.
  virtual TColor ParentColor() { return clBtnFace; }
  // The RGB value (0x00BBGGRR) of system colour number index.
  virtual uint32_t SysColor(int index) { return DefaultSysColor(index); }

  // A control announces itself on creation and leaves on destruction; the host paints
  // the attached controls from its paint handling and from UpdateNow.
  virtual void AttachControl(TCustomTransitionView& control) {}
  virtual void DetachControl(TCustomTransitionView& control) {}

  // Starts body on a new thread at the given priority. The host lets go of body as
  // soon as it has returned (whatever body holds is freed then), and keeps the thread
  // itself until it has been waited for or has ended.
  virtual std::shared_ptr<IWorkerThread> StartThread(std::function<void()> body, TThreadPriority priority) = 0;
  // Worker thread: runs fn on the main thread and waits until it has returned; an
  // exception fn raises is raised again here.
  virtual void Synchronize(const std::function<void()>& fn) = 0;
  // Worker thread: sleeps ms milliseconds.
  virtual void Sleep(uint32_t ms) = 0;
};

// The RGB value of a colour, system colours resolved through the host.
inline uint32_t ColorToRGB(TColor c, ITransitionHost& host) {
  return IsSystemColor(c) ? host.SysColor(SystemColorIndex(c)) : (c & 0x00FFFFFFu);
}

}  // namespace scr
