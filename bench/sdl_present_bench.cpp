// The sdl backend's screen windows under an X display (run under Xvfb with a screen of
// at least 3840 x 2160; SDL's software renderer unless SDL_RENDER_DRIVER names
// another): a window of the player's own screen class, of the size measured,
//   present/WxH     one whole frame repainted and brought to the screen (the window's
//                   UpdateNow), as a multiple of a memcpy of the same frame timed side
//                   by side (counter "x_memcpy"); "x_memcpy_screen" counts only the
//                   way to the screen, without the canvas's own paint;
//   transition/WxH  a whole picture show transition in that window at the control's
//                   default Delay, through the window's own message pump: its frames
//                   (counter "frames") and its duration as a multiple of 25 x Delay
//                   (counter "x_25delay").
// "cpu_ms" is this process's CPU time per present, "xserver_cpu_ms" the X server's
// (with SCR_XSERVER_PID set): on a loaded machine they say more than wall time.
// Example: Xvfb :99 -screen 0 3840x2160x24 & SCR_XSERVER_PID=$! DISPLAY=:99 build/native/bench/sdl_present_bench
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "bench/noise_picture.h"
#include "common/graphic.h"
#include "platform/canvas_host.h"
#include "platform/sdl/sdl_platform.h"
#include "transition/transition_view.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

// CPU seconds of this process.
double OwnCpu() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

// CPU seconds of the X server whose process id SCR_XSERVER_PID names (0 without it):
// on a busy machine the wall time says more about the other programs than about the
// way to the screen, so both processes' CPU time is counted too.
double ServerCpu() {
  const char* pid = std::getenv("SCR_XSERVER_PID");
  if (!pid) return 0;
  std::ifstream stat(std::string("/proc/") + pid + "/stat");
  std::string line;
  std::getline(stat, line);
  const size_t close = line.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream rest(line.substr(close + 2));
  std::string field;
  double user = 0, system = 0;
  for (int i = 3; i <= 15 && rest >> field; ++i) {
    if (i == 14) user = std::stod(field);
    if (i == 15) system = std::stod(field);
  }
  return (user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The player's platform with an ordinary window of the size asked for as its stage,
// and one screen window of it, shown.
class TScreenWindow {
 public:
  TScreenWindow(int w, int h) {
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    scr::platform::sdl::TSdlOptions options;
    options.stage.kind = scr::platform::sdl::TSdlStage::TKind::Window;
    options.stage.width = w;
    options.stage.height = h;
    platform_ = scr::platform::sdl::CreateSdlPlatform(options);
    if (!platform_) throw std::runtime_error(SDL_GetError());
    scr::platform::TWindowSpec desc;
    desc.caption = "sdl_present_bench";
    desc.bounds = scr::TRect{0, 0, w, h};
    desc.borderless = true;
    window_ = platform_->Screen().CreateScreenWindow(desc, nullptr);
    window_->Show();
    Host().ProcessMessages();
  }
  ~TScreenWindow() {
    window_.reset();
    platform_.reset();
  }
  scr::ITransitionHost& Host() { return window_->TransitionHost(); }
  // One window of each size for the whole run: SDL's video is started once and kept
  // (starting it again after a window of 3840 x 2160 was refused on Xvfb).
  static TScreenWindow& OfSize(int w, int h) {
    static auto* windows = new std::map<std::pair<int, int>, std::unique_ptr<TScreenWindow>>;
    auto& window = (*windows)[{w, h}];
    if (!window) window = std::make_unique<TScreenWindow>(w, h);
    return *window;
  }
  scr::platform::TCanvasHost& Canvas() { return dynamic_cast<scr::platform::TCanvasHost&>(Host()); }

 private:
  std::unique_ptr<scr::platform::sdl::TSdlPlatform> platform_;
  std::unique_ptr<scr::platform::IScreenWindow> window_;
};

void Present(benchmark::State& state, int w, int h) {
  TScreenWindow& window = TScreenWindow::OfSize(w, h);
  scr::ITransitionHost& host = window.Host();
  const scr::TBitmap24 frame = bench::NoisePicture(w, h, 1);
  const scr::TBitmapGraphic picture(frame);
  scr::TTransitionView view(host);
  view.SetThreaded(false);
  view.SetAutoSize(false);
  view.SetBounds(0, 0, w, h);
  view.SetStyle(0);
  view.SetPicture(&picture);
  view.Execute();
  host.UpdateNow();
  std::vector<uint8_t> copy(frame.SizeBytes());
  const scr::TRect whole{0, 0, w, h};
  double bestCopy = 1e9, bestPresent = 1e9, bestPaint = 1e9, ownCpu = 0;
  int rounds = 0;
  const double server0 = ServerCpu();
  for (auto _ : state) {
    const double cpu0 = OwnCpu();
    const auto t0 = Clock::now();
    std::memcpy(copy.data(), frame.Data(), copy.size());
    const auto t1 = Clock::now();
    host.InvalidateRect(whole);
    host.UpdateNow();
    const auto t2 = Clock::now();
    const double cpu1 = OwnCpu();
    window.Canvas().PaintArea(whole);
    const auto t3 = Clock::now();
    benchmark::ClobberMemory();
    host.ProcessMessages();
    bestCopy = std::min(bestCopy, Seconds(t0, t1));
    bestPresent = std::min(bestPresent, Seconds(t1, t2));
    bestPaint = std::min(bestPaint, Seconds(t2, t3));
    state.SetIterationTime(Seconds(t1, t2));
    ownCpu += cpu1 - cpu0;
    ++rounds;
  }
  state.counters["cpu_ms"] = ownCpu / rounds * 1000;
  state.counters["xserver_cpu_ms"] = (ServerCpu() - server0) / rounds * 1000;
  state.counters["x_memcpy"] = bestPresent / bestCopy;
  state.counters["x_memcpy_screen"] = (bestPresent - bestPaint) / bestCopy;
  state.counters["memcpy_ms"] = bestCopy * 1000;
}

void Transition(benchmark::State& state, int w, int h) {
  TScreenWindow& window = TScreenWindow::OfSize(w, h);
  scr::ITransitionHost& host = window.Host();
  scr::TTransitionView view(host);
  view.SetAlign(scr::alClient);
  view.SetCenter(true);
  view.SetThreaded(false);
  const scr::TBitmapGraphic a(bench::NoisePicture(w, h, 1)), b(bench::NoisePicture(w, h, 2));
  view.SetPicture(&a);
  host.UpdateNow();
  bool flip = false;
  double seconds = 0;
  int frames = 0, runs = 0;
  view.OnProgress = [&](scr::TCustomTransitionView&) { ++frames; };
  for (auto _ : state) {
    view.SetStyle(5);
    view.SetPicture(flip ? &a : &b);
    flip = !flip;
    const auto t0 = Clock::now();
    view.Execute();
    const double s = Seconds(t0, Clock::now());
    state.SetIterationTime(s);
    seconds += s;
    ++runs;
  }
  view.OnProgress = nullptr;
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
