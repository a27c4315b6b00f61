// The sdl backend's presentation under an X display (run under Xvfb with a screen of
// at least 3840 x 2160, SDL's software renderer):
//   present/WxH     one finished frame through the streaming texture (texture update,
//                   render, present), as a multiple of a memcpy of the same frame timed
//                   side by side (counter "x_memcpy");
//   transition/WxH  a whole picture show transition in a window of that size at the
//                   control's default Delay, presenting every frame: its frames
//                   (counter "frames") and its duration as a multiple of 25 x Delay
//                   (counter "x_25delay").
// Example: Xvfb :99 -screen 0 3840x2160x24 & DISPLAY=:99 build/native/bench/sdl_present_bench
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

#include "common/graphic.h"
#include "platform/canvas_host.h"
#include "platform/sdl/sdl_present.h"
#include "transition/transition_view.h"

namespace {

using Clock = std::chrono::steady_clock;

scr::TBitmap24 Noise(int w, int h, uint32_t seed) {
  scr::TBitmap24 b(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (size_t k = 0; k < 3 * static_cast<size_t>(w); ++k) b.Row(y)[k] = static_cast<uint8_t>(rng());
  return b;
}

// SDL's video on the display, and one window of the size asked for.
class TWindow {
 public:
  TWindow(int w, int h) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw std::runtime_error(SDL_GetError());
    window_ = SDL_CreateWindow("bench", 0, 0, w, h, SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS);
    if (!window_) throw std::runtime_error(SDL_GetError());
    presenter_.emplace(window_);
  }
  ~TWindow() {
    presenter_.reset();
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  scr::platform::sdl::TSdlPresenter& Presenter() { return *presenter_; }

 private:
  SDL_Window* window_ = nullptr;
  std::optional<scr::platform::sdl::TSdlPresenter> presenter_;
};

void Present(benchmark::State& state, int w, int h) {
  TWindow window(w, h);
  const scr::TBitmap24 frame = Noise(w, h, 1);
  std::vector<uint8_t> copy(frame.SizeBytes());
  double bestCopy = 1e9, bestPresent = 1e9;
  window.Presenter().Present(frame, frame.Bounds());  // the texture is made once
  for (auto _ : state) {
    const auto t0 = Clock::now();
    std::memcpy(copy.data(), frame.Data(), copy.size());
    const auto t1 = Clock::now();
    window.Presenter().Present(frame, frame.Bounds());
    const auto t2 = Clock::now();
    benchmark::ClobberMemory();
    bestCopy = std::min(bestCopy, std::chrono::duration<double>(t1 - t0).count());
    const double p = std::chrono::duration<double>(t2 - t1).count();
    bestPresent = std::min(bestPresent, p);
    state.SetIterationTime(p);
  }
  state.counters["x_memcpy"] = bestPresent / bestCopy;
}

// The window's client area as the screen windows host it: repaints are presented at
// once, and counted.
class TPresentingHost : public scr::platform::TCanvasHost {
 public:
  explicit TPresentingHost(scr::platform::sdl::TSdlPresenter& presenter) : presenter_(presenter) {}
  uint32_t TickCount() override { return static_cast<uint32_t>(SDL_GetTicks64()); }
  void ProcessMessages() override {
    SDL_PumpEvents();
    ServeWorkers();
  }
  void UpdateNow() override {
    const scr::TRect area = TakeInvalidRect();
    if (area.IsEmpty()) return;
    presenter_.Present(Canvas(), PaintArea(area));
    ++frames;
  }
  void Sleep(uint32_t ms) override { SDL_Delay(ms); }
  int frames = 0;

 private:
  scr::platform::sdl::TSdlPresenter& presenter_;
};

void Transition(benchmark::State& state, int w, int h) {
  TWindow window(w, h);
  TPresentingHost host(window.Presenter());
  host.SetClientSize(w, h);
  scr::TTransitionView view(host);
  view.SetAlign(scr::alClient);
  view.SetCenter(true);
  view.SetThreaded(false);
  const scr::TBitmapGraphic a(Noise(w, h, 1)), b(Noise(w, h, 2));
  view.SetPicture(&a);
  host.UpdateNow();
  bool flip = false;
  double seconds = 0;
  int frames = 0, runs = 0;
  for (auto _ : state) {
    view.SetStyle(5);
    view.SetPicture(flip ? &a : &b);
    flip = !flip;
    host.frames = 0;
    const auto t0 = Clock::now();
    view.Execute();
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(s);
    seconds += s;
    frames += host.frames;
    ++runs;
  }
  state.counters["frames"] = static_cast<double>(frames) / runs;
  state.counters["x_25delay"] = seconds / runs / (25 * view.Delay() / 1000.0);
}

int Register() {
  const struct {
    int w, h;
  } sizes[] = {{1920, 1080}, {3840, 2160}};
  for (const auto& s : sizes) {
    const std::string size = std::to_string(s.w) + "x" + std::to_string(s.h);
    benchmark::RegisterBenchmark(("present/" + size).c_str(), Present, s.w, s.h)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(60);
    benchmark::RegisterBenchmark(("transition/" + size).c_str(), Transition, s.w, s.h)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
  }
  return 0;
}
const int registered = Register();

}  // namespace

BENCHMARK_MAIN();
