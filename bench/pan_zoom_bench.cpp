// The moving picture of the show on a real screen window: one held frame of a picture
// that pans and zooms, drawn (the smooth resample over the prepared background) and
// presented through the picture show control, as the saver's motion timer does it;
// and the preparation of a picture for it (its blurred backdrop, its scaled copy).
//
//   pan_zoom_bench [--backend=NAME] [--size=WxH]... [--frames=N] [--run=SECONDS]
//
// For each size (1920x1080 and 3840x2160 unless given), from a 6000x4000 photo of
// random pixels with FillMode 1 (blur) and PanZoom 8, it reports:
//   blur      making the blurred darkened backdrop of the screen (best of 5);
//   prepare   the whole preparation: backdrop and the picture scaled once (best of 5);
//   draw      one moved frame drawn: background, bilinear resample, no caption;
//   captioned the same with a scaled caption (the maker's default), best of N;
//   present   that frame swapped into the control and presented on the window;
//   frame     the two together, median and worst of N frames (100 by default);
//   cpu       the median of the process's CPU time per frame (wall time on Windows),
//             which on a shared machine says more than the wall time.
// With --run, each size then plays the motion for that many seconds as the saver
// does it, from a timer of the program's event loop every 33 ms (the saver's motion
// period), and reports the frames shown, how many came later than one period after
// the one before (the gap above 66 ms) and the longest gap.
//
// The backend is the program's default one (win32 on Windows) unless named; without
// any, the headless one (whose screen is memory) is used.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/noise_picture.h"
#include "bench/size_arg.h"
#include "common/graphic.h"
#include "platform/platform.h"
#include "saver/prepared_picture.h"
#include "transition/transition_host.h"
#include "transition/transition_view.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

struct TFigures {
  double blur = 1e9, prepare = 1e9, draw = 1e9, captioned = 1e9, present = 1e9, median = 0, worst = 0, cpu = 0;
  int runFrames = 0, late = 0;
  double longestGap = 0;
};

constexpr uint32_t kMotionPeriodMs = 33;  // the saver's motion timer

// Plays the motion for seconds from a timer of the event loop, each tick drawing the
// frame for the time passed and presenting it; counts the ticks that came more than
// one period late.
void PlayMotion(scr::platform::TPlatform& platform, scr::ITransitionHost& host, scr::TTransitionView& view,
                const scr::saver::TPreparedPicture& prepared, const scr::TSSFileLocations& settings, int seconds,
                TFigures& f) {
  scr::TBitmap24 frame;
  std::unique_ptr<scr::platform::ITimer> timer = platform.Screen().CreateTimer();
  const auto start = Clock::now();
  const double length = 1000.0 * seconds;
  auto last = start;
  bool done = false;
  timer->SetInterval(kMotionPeriodMs);
  timer->SetOnTimer([&] {
    const auto now = Clock::now();
    const double elapsed = Ms(start, now);
    if (elapsed >= length) {
      done = true;
      return;
    }
    if (f.runFrames > 0) {
      const double gap = Ms(last, now);
      f.longestGap = std::max(f.longestGap, gap);
      if (gap > 2.0 * kMotionPeriodMs) ++f.late;
    }
    last = now;
    const auto t = static_cast<int32_t>(static_cast<double>(scr::saver::kMotionEnd) * elapsed / length);
    scr::saver::DrawPreparedFrame(prepared, t, frame, settings, platform.Screen());
    if (!view.ReplaceFrame(frame)) throw scr::Exception("the frame was not taken");
    ++f.runFrames;
  });
  timer->SetEnabled(true);
  while (!done) {
    host.ProcessMessages();
    if (!done) platform.Application().WaitForMessages(1000);
  }
  timer->SetEnabled(false);
}

TFigures Measure(scr::platform::TPlatform& platform, const bench::TScreenSize& s, const scr::TBitmap24& photo,
                 int frames, int runSeconds) {
  scr::TSSFileLocations settings;
  settings.SetFillMode(1);
  settings.SetPanZoom(8);
  settings.SetInterval(5000);
  TFigures f;
  for (int k = 0; k < 5; ++k) {
    const auto t0 = Clock::now();
    const scr::TBitmap24 backdrop = scr::saver::BlurredBackdrop(photo, s.W, s.H);
    f.blur = std::min(f.blur, Ms(t0, Clock::now()));
  }
  scr::saver::TPreparedPicture prepared;
  for (int k = 0; k < 5; ++k) {
    const auto t0 = Clock::now();
    prepared = scr::saver::PreparePicture(photo, "", settings, s.W, s.H, platform.Screen());
    f.prepare = std::min(f.prepare, Ms(t0, Clock::now()));
  }
  prepared.motion = scr::saver::TMotion{8, true, 0, 0, 1000, 1000};  // the longest pan

  scr::platform::TWindowSpec desc;
  desc.caption = "pan_zoom_bench";
  desc.bounds = scr::TRect{0, 0, s.W, s.H};
  desc.borderless = true;
  std::unique_ptr<scr::platform::IScreenWindow> window = platform.Screen().CreateScreenWindow(desc, nullptr);
  if (!window) throw scr::Exception("no screen window");
  window->Show();
  scr::ITransitionHost& host = window->TransitionHost();
  host.ProcessMessages();
  std::vector<double> whole;
  {
    scr::TTransitionView view(host);
    view.SetThreaded(false);
    view.SetAutoSize(false);
    view.SetBounds(0, 0, s.W, s.H);
    scr::TBitmap24 frame;
    scr::saver::DrawPreparedFrame(prepared, 0, frame, settings, platform.Screen());
    const scr::TBitmapGraphic first(frame);
    view.SetStyle(0);
    view.SetPicture(&first);
    view.Execute();
    std::vector<double> cpu;
    for (int i = 1; i <= frames; ++i) {
      const std::clock_t c0 = std::clock();
      const auto t0 = Clock::now();
      scr::saver::DrawPreparedFrame(prepared, static_cast<int32_t>(int64_t{scr::saver::kMotionEnd} * i / frames), frame,
                                    settings, platform.Screen());
      const auto t1 = Clock::now();
      if (!view.ReplaceFrame(frame)) throw scr::Exception("the frame was not taken");
      const auto t2 = Clock::now();
      host.ProcessMessages();
      cpu.push_back(1000.0 * static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC);
      f.draw = std::min(f.draw, Ms(t0, t1));
      f.present = std::min(f.present, Ms(t1, t2));
      whole.push_back(Ms(t0, t2));
    }
    std::sort(cpu.begin(), cpu.end());
    f.cpu = cpu[cpu.size() / 2];
    // The same frames with the caption new savers have: scaled, outlined.
    scr::TSSFileLocations captioned = settings;
    captioned.SetlCaptionScaled(true);
    prepared.captionOverlay =
        scr::saver::MakeCaptionOverlay("Nature, photographs of the show", captioned, s.W, s.H, platform.Screen());
    for (int i = 1; i <= frames; ++i) {
      const auto t0 = Clock::now();
      scr::saver::DrawPreparedFrame(prepared, static_cast<int32_t>(int64_t{scr::saver::kMotionEnd} * i / frames), frame,
                                    captioned, platform.Screen());
      f.captioned = std::min(f.captioned, Ms(t0, Clock::now()));
    }
    if (runSeconds > 0) PlayMotion(platform, host, view, prepared, settings, runSeconds, f);
  }
  window->Hide();
  std::sort(whole.begin(), whole.end());
  f.median = whole[whole.size() / 2];
  f.worst = whole.back();
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<bench::TScreenSize> sizes;
  std::string backend;
  int frames = 100, runSeconds = 0;
  for (int i = 1; i < argc; ++i) {
    bench::TScreenSize s;
    if (bench::ParseSizeArg(argv[i], "--size=", s))
      sizes.push_back(s);
    else if (std::strncmp(argv[i], "--backend=", 10) == 0)
      backend = argv[i] + 10;
    else if (std::strncmp(argv[i], "--frames=", 9) == 0)
      frames = std::clamp(std::atoi(argv[i] + 9), 1, 10000);
    else if (std::strncmp(argv[i], "--run=", 6) == 0)
      runSeconds = std::clamp(std::atoi(argv[i] + 6), 1, 3600);
    else {
      std::fprintf(stderr, "usage: pan_zoom_bench [--backend=NAME] [--size=WxH]... [--frames=N] [--run=SECONDS]\n");
      return 2;
    }
  }
  if (sizes.empty()) sizes = {{1920, 1080}, {3840, 2160}};
  std::unique_ptr<scr::platform::TPlatform> platform =
      backend.empty() ? scr::platform::CreateDefaultPlatform() : scr::platform::CreatePlatform(backend);
  if (!platform && backend.empty()) platform = scr::platform::CreatePlatform("headless");
  if (!platform) {
    std::fprintf(stderr, "pan_zoom_bench: no backend %s\n", backend.c_str());
    return 1;
  }
  try {
    const scr::TBitmap24 photo = bench::NoisePicture(6000, 4000, 3);
    std::printf("backend %s, photo 6000x4000, FillMode 1, PanZoom 8\n", std::string(platform->BackendName()).c_str());
    std::printf("%11s %8s %10s %8s %9s %10s %10s %9s %8s\n", "size", "blur ms", "prepare ms", "draw ms", "captioned",
                "present ms", "frame med", "frame max", "cpu med");
    for (const bench::TScreenSize& s : sizes) {
      const TFigures f = Measure(*platform, s, photo, frames, runSeconds);
      std::printf("%5dx%-5d %8.2f %10.2f %8.2f %9.2f %10.2f %10.2f %9.2f %8.2f\n", s.W, s.H, f.blur, f.prepare, f.draw,
                  f.captioned, f.present, f.median, f.worst, f.cpu);
      if (runSeconds > 0)
        std::printf("%5dx%-5d run %d s: %d frames of %u expected, %d late by more than %u ms, longest gap %.1f ms\n",
                    s.W, s.H, runSeconds, f.runFrames, static_cast<unsigned>(1000 * runSeconds / kMotionPeriodMs),
                    f.late, kMotionPeriodMs, f.longestGap);
      std::fflush(stdout);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pan_zoom_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
