#pragma once
// The saver window's picture show control, PShow: a TTransitionView filling the whole
// client area, centred, stepping its transitions in the calling thread. This header
// gives the window the calls it makes and the events it handles without bringing the
// control's own headers in.
#include <cstdint>
#include <functional>
#include <memory>

#include "common/bitmap24.h"
#include "common/geometry.h"
#include "common/graphic.h"
#include "platform/screen.h"

namespace scr {
class ITransitionHost;
class TTransitionView;
}  // namespace scr

namespace scr::saver {

class TShowView {
 public:
  explicit TShowView(ITransitionHost& host);
  ~TShowView();
  TShowView(const TShowView&) = delete;
  TShowView& operator=(const TShowView&) = delete;

  bool Busy() const;
  void Stop();
  // The picture the next transition brings in (copied).
  void SetPicture(const TGraphic* graphic);
  // Effect number; only its low 8 bits are kept.
  void SetStyle(uint8_t style);
  uint8_t Style() const;
  void Clear();
  // Repaints now whatever waits to be repainted.
  void Update();
  // Runs the whole transition before returning.
  void Execute();
  // Shows frame at once without a transition (see TTransitionView::ReplaceFrame).
  bool ReplaceFrame(TBitmap24& frame);
  bool Visible() const;
  void SetVisible(bool visible);
  TRect BoundsRect() const;
  // What the control shows: the current frame, or the complete picture after a run.
  const TBitmap24& FrameBitmap() const;

  // Input from the window, client coordinates (passed to the control's own events).
  void MouseMove(platform::TShiftBits shift, int x, int y);
  void MouseDown(platform::TButton button, platform::TShiftBits shift, int x, int y);

  // The control's events.
  std::function<void(platform::TShiftBits shift, int x, int y)> OnMouseMove;
  std::function<void(platform::TButton button, platform::TShiftBits shift, int x, int y)> OnMouseDown;
  // A transition ran to its end.
  std::function<void()> OnComplete;

  TTransitionView& Control() { return *view_; }

 private:
  std::unique_ptr<TTransitionView> view_;
};

}  // namespace scr::saver
