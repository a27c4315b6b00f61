// The worker-driven control under Wine (win32 build):
//
//   worker_run_probe
//       Puts a threaded picture show control on a real screen window, starts its run
//       and enters the application's message loop: the worker's steps are served from
//       that loop alone, not from the control's own pumping. The loop ends when the
//       run completes (or after 20 seconds). Prints completes, steps (OnProgress
//       calls), progress, busy and timed_out.
#include <cstdio>
#include <memory>

#include "common/graphic.h"
#include "platform/platform.h"
#include "transition/transition_view.h"

namespace {

constexpr int kW = 64, kH = 48;

scr::TBitmap24 Stripes() {
  scr::TBitmap24 b(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) b.SetPixel(x, y, (x / 4) % 2 ? 0x2080F0u : 0x103010u);
  return b;
}

}  // namespace

int main() {
  std::unique_ptr<scr::platform::TPlatform> p = scr::platform::CreatePlatform("win32");
  if (!p) return 1;
  scr::platform::TWindowSpec desc;
  desc.caption = "worker run";
  desc.bounds = scr::TRect{0, 0, kW, kH};
  std::unique_ptr<scr::platform::IScreenWindow> window = p->Screen().CreateScreenWindow(desc, nullptr);
  if (!window) return 1;
  window->Show();

  int completes = 0, steps = 0;
  bool timedOut = false;
  const scr::TBitmapGraphic picture(Stripes());
  {
    scr::TTransitionView view(window->TransitionHost());
    view.SetBounds(0, 0, kW, kH);
    view.SetStyle(5);
    view.SetThreaded(true);
    view.SetPicture(&picture);
    view.OnProgress = [&](scr::TCustomTransitionView&) { ++steps; };
    view.OnComplete = [&](scr::TCustomTransitionView&) {
      ++completes;
      window->Close();
    };
    std::unique_ptr<scr::platform::ITimer> limit = p->Screen().CreateTimer();
    limit->SetInterval(20000);
    limit->SetOnTimer([&] {
      timedOut = true;
      window->Close();
    });
    limit->SetEnabled(true);

    view.Execute();
    p->Application().Run(*window);
    std::printf("completes=%d\nsteps=%d\nprogress=%d\nbusy=%d\ntimed_out=%d\n", completes, steps, view.Progress(),
                view.Busy() ? 1 : 0, timedOut ? 1 : 0);
  }
  std::printf("ended=1\n");
  std::fflush(stdout);
  return 0;
}
