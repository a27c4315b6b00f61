// The whole frame path on a real screen window: a picture show control in a full-screen
// window of the platform composes frames, and each frame is presented.
//
//   present_bench [--backend=NAME] [--size=WxH]... [--frames=N]
//
// For each size (1920x1080 and 3840x2160 unless given) it reports, at the best of N
// rounds (50 by default), side by side with a memcpy of one frame in the same round:
//   present   repainting the whole window from the composed frame (what every frame
//             costs on top of its composition), and its ratio to the memcpy;
//   paint     the part of it spent in the window's canvas (the control painting its
//             frame there), the rest being the backend's way to the screen;
//   frame     one cross-fade frame of a manual run, composed and presented;
// and then one automatic run of a wipe (25 frames of Delay 40 ms, Step 4, the
// control's defaults, on the main thread as the saver runs it) against 25 x Delay.
//
// The backend is the program's default one (win32 on Windows) unless named; without
// any, the headless one (whose screen is memory) is used.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/noise_picture.h"
#include "bench/size_arg.h"
#include "common/graphic.h"
#include "platform/canvas_host.h"
#include "platform/platform.h"
#include "transition/transition_host.h"
#include "transition/transition_view.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

using TSize = bench::TScreenSize;

struct TFigures {
  double copy = 1e9, present = 1e9, paint = 1e9, frame = 1e9;
  double runMs = 0;
  int runFrames = 0;
};

TFigures Measure(scr::platform::TPlatform& platform, const TSize& s, int rounds) {
  scr::platform::TWindowSpec desc;
  desc.caption = "present_bench";
  desc.bounds = scr::TRect{0, 0, s.W, s.H};
  desc.borderless = true;
  std::unique_ptr<scr::platform::IScreenWindow> window = platform.Screen().CreateScreenWindow(desc, nullptr);
  if (!window) throw scr::Exception("no screen window");
  window->Show();
  scr::ITransitionHost& host = window->TransitionHost();
  auto* canvas = dynamic_cast<scr::platform::TCanvasHost*>(&host);
  host.ProcessMessages();

  const scr::TBitmap24 oldPicture = bench::NoisePicture(s.W, s.H, 1);
  const scr::TBitmap24 newPicture = bench::NoisePicture(s.W, s.H, 2);
  std::vector<uint8_t> copy(newPicture.SizeBytes());
  TFigures f;
  {
    scr::TTransitionView view(host);
    view.SetThreaded(false);
    view.SetAutoSize(false);
    view.SetBounds(0, 0, s.W, s.H);

    // The old picture on screen, then a manual cross-fade to the new one.
    view.SetManual(true);
    view.SetStyle(0);
    const scr::TBitmapGraphic shownOld(oldPicture);
    view.SetPicture(&shownOld);
    view.Execute();
    view.SetProgress(100);
    view.Stop();
    view.SetStyle(118);
    const scr::TBitmapGraphic shownNew(newPicture);
    view.SetPicture(&shownNew);
    view.Execute();

    const scr::TRect whole{0, 0, s.W, s.H};
    for (int k = 0; k < rounds; ++k) {
      const auto t0 = Clock::now();
      std::memcpy(copy.data(), newPicture.Data(), copy.size());
      const auto t1 = Clock::now();
      view.SetProgress(2 + 4 * (k % 24));  // composes and presents
      const auto t2 = Clock::now();
      host.InvalidateRect(whole);
      host.UpdateNow();
      const auto t3 = Clock::now();
      if (canvas) canvas->PaintArea(whole);
      const auto t4 = Clock::now();
      host.ProcessMessages();
      if (canvas) f.paint = std::min(f.paint, Ms(t3, t4));
      f.copy = std::min(f.copy, Ms(t0, t1));
      f.frame = std::min(f.frame, Ms(t1, t2));
      f.present = std::min(f.present, Ms(t2, t3));
    }
    view.Stop();

    // An automatic wipe back to the old picture, paced by the control itself.
    view.SetManual(false);
    view.SetStyle(5);
    int frames = 0;
    view.OnProgress = [&](scr::TCustomTransitionView&) { ++frames; };
    view.SetPicture(&shownOld);
    const auto r0 = Clock::now();
    view.Execute();
    f.runMs = Ms(r0, Clock::now());
    f.runFrames = frames;
    view.OnProgress = nullptr;
  }
  window->Hide();
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<TSize> sizes;
  std::string backend;
  int rounds = 50;
  for (int i = 1; i < argc; ++i) {
    TSize s;
    if (bench::ParseSizeArg(argv[i], "--size=", s))
      sizes.push_back(s);
    else if (std::strncmp(argv[i], "--backend=", 10) == 0)
      backend = argv[i] + 10;
    else if (std::strncmp(argv[i], "--frames=", 9) == 0)
      rounds = std::clamp(std::atoi(argv[i] + 9), 1, 10000);
    else {
      std::fprintf(stderr, "usage: present_bench [--backend=NAME] [--size=WxH]... [--frames=N]\n");
      return 2;
    }
  }
  if (sizes.empty()) sizes = {{1920, 1080}, {3840, 2160}};

  std::unique_ptr<scr::platform::TPlatform> platform =
      backend.empty() ? scr::platform::CreateDefaultPlatform() : scr::platform::CreatePlatform(backend);
  if (!platform && backend.empty()) platform = scr::platform::CreatePlatform("headless");
  if (!platform) {
    std::fprintf(stderr, "present_bench: no backend %s\n", backend.c_str());
    return 1;
  }
  try {
    std::printf("backend %s\n", std::string(platform->BackendName()).c_str());
    std::printf("%11s %9s %11s %9s %9s %9s %11s %8s\n", "size", "memcpy ms", "present ms", "x_memcpy", "paint ms",
                "frame ms", "run ms", "x_delay");
    for (const TSize& s : sizes) {
      const TFigures f = Measure(*platform, s, rounds);
      std::printf("%5dx%-5d %9.2f %11.2f %9.2f %9.2f %9.2f %7.0f/%-3d %8.3f\n", s.W, s.H, f.copy, f.present,
                  f.present / f.copy, f.paint, f.frame, f.runMs, f.runFrames, f.runMs / (25 * 40.0));
      std::fflush(stdout);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "present_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
