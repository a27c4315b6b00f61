// One automatic run (25 frames, Step 4) of every style composed by the picture show
// control at a screen size, timed per frame, and summed up per family: the median and
// the worst style. Built natively and for the browser (where each frame is also drawn
// onto the page's canvas), so the two print the same table for the same frames.
//   family_bench [WIDTH HEIGHT]        (default 1920 1080)
//   family_bench WIDTH HEIGHT frames   a hash of every style's frames instead, untimed,
//                                      so the two builds can be shown to compose the same
#include <algorithm>
#include <chrono>
#include <cstdint>
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

// FNV-1a over every pixel of the frame, row by row.
uint64_t HashFrame(uint64_t h, const scr::TBitmap24& frame) {
  for (int y = 0; y < frame.Height(); ++y) {
    const uint8_t* row = frame.Row(y);
    for (int i = 0; i < 3 * frame.Width(); ++i) h = (h ^ row[i]) * 1099511628211ull;
  }
  return h;
}

int PrintFrameHashes(const scr::TBitmap24& oldPicture, const scr::TBitmap24& newPicture) {
  for (const scr::TEffectInfo& e : scr::EffectCatalog()) {
    if (e.number == 0) continue;
    scr::TFrameRenderOptions options;
    options.style = e.number;
    options.progress = 100;
    options.step = 4;
    uint64_t h = 14695981039346656037ull;
    int frames = 0;
    scr::RenderTransitionFrame(oldPicture, newPicture, options, [&](int, const scr::TBitmap24& frame) {
      ++frames;
      h = HashFrame(h, frame);
    });
    std::printf("style %d %d frames %016llx\n", e.number, frames, static_cast<unsigned long long>(h));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int w = argc > 2 ? std::atoi(argv[1]) : 1920, h = argc > 2 ? std::atoi(argv[2]) : 1080;
  const scr::TBitmap24 oldPicture = bench::NoisePicture(w, h, 1), newPicture = bench::NoisePicture(w, h, 2);
  if (argc > 3 && std::string(argv[3]) == "frames") return PrintFrameHashes(oldPicture, newPicture);
#if defined(__EMSCRIPTEN__)
  scr::platform::web::TWebPresenter presenter;
  const char* target = "composed and drawn";
#else
  const char* target = "composed (nothing drawn)";
#endif
  // Per family: each style's composing time per frame, and with the drawing.
  std::map<std::string, std::vector<double>> families, drawnFamilies;
  for (const scr::TEffectInfo& e : scr::EffectCatalog()) {
    if (e.number == 0) continue;  // the instant replacement has no frames between
    scr::TFrameRenderOptions options;
    options.style = e.number;
    options.progress = 100;
    options.step = 4;
    int frames = 0;
    double drawing = 0;
    const double t0 = NowMs();
    scr::RenderTransitionFrame(oldPicture, newPicture, options, [&](int, const scr::TBitmap24& frame) {
      ++frames;
#if defined(__EMSCRIPTEN__)
      const double d0 = NowMs();
      presenter.Present(frame, frame.Bounds());
      drawing += NowMs() - d0;
#else
      (void)frame;
#endif
    });
    const double perFrame = (NowMs() - t0) / std::max(1, frames), drawPerFrame = drawing / std::max(1, frames);
    families[std::string(e.family)].push_back(perFrame - drawPerFrame);
    drawnFamilies[std::string(e.family)].push_back(perFrame);
    std::printf("style %d %s %.2f ms/frame composed, %.2f drawn\n", e.number, std::string(e.family).c_str(),
                perFrame - drawPerFrame, drawPerFrame);
  }
  std::printf("\n%dx%d, one frame (ms): family, styles, composed median, worst; %s median, worst\n", w, h, target);
  for (auto& [family, times] : families) {
    std::vector<double>& drawn = drawnFamilies[family];
    std::sort(times.begin(), times.end());
    std::sort(drawn.begin(), drawn.end());
    std::printf("%-12s %3zu %8.2f %8.2f %8.2f %8.2f\n", family.c_str(), times.size(), times[times.size() / 2],
                times.back(), drawn[drawn.size() / 2], drawn.back());
  }
  return 0;
}
