#include "transition/frame_render.h"

#include <algorithm>

#include "common/errors.h"
#include "common/graphic.h"
#include "common/random.h"
#include "transition/offscreen_host.h"
#include "transition/transition_view.h"

namespace scr {

TBitmap24 RenderTransitionFrame(const TBitmap24& oldPic, const TBitmap24& newPic, const TFrameRenderOptions& options,
                                const std::function<void(int progress, const TBitmap24& frame)>& onFrame) {
  if (oldPic.Width() != newPic.Width() || oldPic.Height() != newPic.Height())
    throw Exception("the old and the new picture differ in size");
  const int target = std::clamp(options.progress, 0, 100);
  TOffscreenHost host(oldPic.Width(), oldPic.Height());
  TTransitionView view(host);
  view.SetThreaded(false);
  view.SetAutoSize(false);
  view.SetBounds(0, 0, oldPic.Width(), oldPic.Height());
  view.SetStep(options.step);

  // Show the old picture: a manual instant run taken to its end.
  view.SetManual(true);
  view.SetStyle(0);
  {
    const TBitmapGraphic shown(oldPic);
    view.SetPicture(&shown);
  }
  view.Execute();
  view.SetProgress(100);
  view.Stop();

  ResetProgramRandom();
  view.SetReverse(options.reverse);
  view.SetStyle(static_cast<TShowStyle>(options.style & 0xFF));
  if (onFrame) view.OnProgress = [&](TCustomTransitionView& v) { onFrame(v.Progress(), v.FrameBitmap()); };
  {
    const TBitmapGraphic incoming(newPic);
    view.SetPicture(&incoming);
  }
  view.Execute();

  const int step = view.Step();
  while (view.Busy()) {
    const int p = view.Progress();
    if (options.reverse ? (p <= target || p == 0) : (p >= target || p == 100)) break;
    int next = options.reverse ? (p < step ? 0 : p - step) : std::min(p + step, 100);
    next = options.reverse ? std::max(next, target) : std::min(next, target);
    view.SetProgress(next);
  }
  return view.FrameBitmap();
}

}  // namespace scr
