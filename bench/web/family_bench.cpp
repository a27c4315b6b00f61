// One automatic run (25 frames, Step 4) of every style composed by the picture show
// control at a screen size, timed per frame, and summed up per family: the median and
// the worst style. Built natively and for the browser (where each frame is also drawn
// onto the page's canvas), so the two print the same table for the same frames.
//   family_bench [WIDTH HEIGHT]        (default 1920 1080)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/noise_picture.h"
#include "transition/effect_catalog.h"
#include "transition/frame_render.h"
#if defined(__EMSCRIPTEN__)
#include "platform/web/web_present.h"
#endif

namespace {

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int w = argc > 2 ? std::atoi(argv[1]) : 1920, h = argc > 2 ? std::atoi(argv[2]) : 1080;
  const scr::TBitmap24 oldPicture = bench::NoisePicture(w, h, 1), newPicture = bench::NoisePicture(w, h, 2);
#if defined(__EMSCRIPTEN__)
  scr::platform::web::TWebPresenter presenter;
  const char* target = "composed and drawn";
#else
  const char* target = "composed";
#endif
  std::map<std::string, std::vector<double>> families;
  for (const scr::TEffectInfo& e : scr::EffectCatalog()) {
    if (e.number == 0) continue;  // the instant replacement has no frames between
    scr::TFrameRenderOptions options;
    options.style = e.number;
    options.progress = 100;
    options.step = 4;
    int frames = 0;
    const double t0 = NowMs();
    scr::RenderTransitionFrame(oldPicture, newPicture, options, [&](int, const scr::TBitmap24& frame) {
      ++frames;
#if defined(__EMSCRIPTEN__)
      presenter.Present(frame, frame.Bounds());
#else
      (void)frame;
#endif
    });
    const double perFrame = (NowMs() - t0) / std::max(1, frames);
    families[std::string(e.family)].push_back(perFrame);
    std::printf("style %d %s %.2f ms/frame\n", e.number, std::string(e.family).c_str(), perFrame);
  }
  std::printf("\n%dx%d, one frame %s (ms): family, styles, median, worst\n", w, h, target);
  for (auto& [family, times] : families) {
    std::sort(times.begin(), times.end());
    std::printf("%-12s %3zu %8.2f %8.2f\n", family.c_str(), times.size(), times[times.size() / 2], times.back());
  }
  return 0;
}
