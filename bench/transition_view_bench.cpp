// Cost of composing one frame in the picture show control, for every style, as a
// multiple of copying one frame with memcpy in the same run (counter "x_memcpy"). A
// frame is one Progress write of a manual run, cycling through the positions
// 2, 6, ..., 98; repainting is left out (the host's repaint does nothing).
//
// Built with Google Benchmark natively; on Windows a small self-timed loop prints the
// same table. Natively, --size=WxH (repeatable) replaces the two screen sizes, and the
// counter "ms_best" is the frame's milliseconds at the best time of each position.

#include <algorithm>
#include <iterator>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/noise_picture.h"
#include "bench/size_arg.h"
#include "common/graphic.h"
#include "common/random.h"
#include "transition/offscreen_host.h"
#include "transition/transition_view.h"

namespace {

using Clock = std::chrono::steady_clock;

// A parent whose repaint only forgets what was invalid.
class TQuietHost : public scr::TOffscreenHost {
 public:
  using TOffscreenHost::TOffscreenHost;
  void InvalidateRect(const scr::TRect&) override {}
  void UpdateNow() override {}
};

// Random pictures, made once per size and seed.
const scr::TBitmap24& Noise(int W, int H, uint32_t seed) {
  struct TEntry {
    int W, H;
    uint32_t seed;
    std::unique_ptr<scr::TBitmap24> bitmap;
  };
  static std::vector<TEntry> made;
  for (const TEntry& e : made)
    if (e.W == W && e.H == H && e.seed == seed) return *e.bitmap;
  auto b = std::make_unique<scr::TBitmap24>(bench::NoisePicture(W, H, seed));
  made.push_back(TEntry{W, H, seed, std::move(b)});
  return *made.back().bitmap;
}

constexpr int kPositions = 25;  // 2, 6, ..., 98

// A control in a manual run of one style, ready to compose frames.
struct TBench {
  TQuietHost host;
  scr::TTransitionView view;
  const scr::TBitmap24& source;
  std::vector<uint8_t> copy;
  int position = 0;
  // The best times seen: of the copy, and of each position's frame, so that other load
  // on the machine does not count.
  double bestCopy = 1e9;
  double bestFrame[kPositions];

  TBench(int style, int W, int H) : host(W, H), view(host), source(Noise(W, H, 2)), copy(source.SizeBytes()) {
    view.SetThreaded(false);
    view.SetAutoSize(false);
    view.SetBounds(0, 0, W, H);
    view.SetManual(true);
    view.SetStyle(static_cast<scr::TShowStyle>(style));
    const scr::TBitmapGraphic pic(Noise(W, H, 1));
    view.SetPicture(&pic);
    view.Execute();
    scr::ResetProgramRandom();
    Reset();
  }

  void Reset() {
    bestCopy = 1e9;
    std::fill(std::begin(bestFrame), std::end(bestFrame), 1e9);
  }

  // One memcpy and one frame, timed side by side; returns the frame's seconds.
  double Measure() {
    const int k = position++ % kPositions;
    const int p = 2 + 4 * k;
    const auto t0 = Clock::now();
    std::memcpy(copy.data(), source.Data(), copy.size());
    const auto t1 = Clock::now();
    view.SetProgress(p);
    const auto t2 = Clock::now();
    const double c = std::chrono::duration<double>(t1 - t0).count();
    const double f = std::chrono::duration<double>(t2 - t1).count();
    bestCopy = std::min(bestCopy, c);
    bestFrame[k] = std::min(bestFrame[k], f);
    return f;
  }
  // Seconds per frame over a whole run, at the best time of each position.
  double FrameSeconds() const {
    double sum = 0;
    for (double t : bestFrame) sum += t;
    return sum / kPositions;
  }
  double Ratio() const { return FrameSeconds() / bestCopy; }
};

struct TSize {
  int W, H;
};
const TSize kSizes[] = {{1920, 1080}, {3840, 2160}};

}  // namespace

#if !defined(_WIN32)

#include <benchmark/benchmark.h>

namespace {

void ComposeFrame(benchmark::State& state, int style, int W, int H) {
  TBench b(style, W, H);
  for (int i = 0; i < kPositions; ++i) b.Measure();  // warm up: one pass over the positions
  b.Reset();
  for (auto _ : state) {
    state.SetIterationTime(b.Measure());
    benchmark::ClobberMemory();
  }
  state.counters["x_memcpy"] = b.Ratio();
  state.counters["ms_best"] = b.FrameSeconds() * 1e3;
}

void Register(const std::vector<TSize>& sizes) {
  for (const TSize& s : sizes)
    for (int style = 0; style <= 127; ++style) {
      char name[64];
      std::snprintf(name, sizeof name, "style%03d/%dx%d", style, s.W, s.H);
      benchmark::RegisterBenchmark(name, ComposeFrame, style, s.W, s.H)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond)
          ->Iterations(4 * kPositions);
    }
}

// Takes the --size=WxH arguments out of the command line; the rest goes to the
// benchmark library.
std::vector<TSize> TakeSizes(int& argc, char** argv) {
  std::vector<TSize> sizes;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    bench::TScreenSize s;
    if (bench::ParseSizeArg(argv[i], "--size=", s))
      sizes.push_back(TSize{s.W, s.H});
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  if (sizes.empty()) sizes.assign(std::begin(kSizes), std::end(kSizes));
  return sizes;
}

}  // namespace

int main(int argc, char** argv) {
  Register(TakeSizes(argc, argv));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

#else

int main() {
  std::printf("%-8s %11s %10s %9s\n", "style", "size", "ms/frame", "x_memcpy");
  for (const TSize& s : kSizes)
    for (int style = 0; style <= 127; ++style) {
      TBench b(style, s.W, s.H);
      for (int i = 0; i < kPositions; ++i) b.Measure();
      b.Reset();
      for (int i = 0; i < 4 * kPositions; ++i) b.Measure();
      std::printf("%-8d %5dx%-5d %10.2f %9.2f\n", style, s.W, s.H, b.FrameSeconds() * 1e3, b.Ratio());
    }
  return 0;
}

#endif
