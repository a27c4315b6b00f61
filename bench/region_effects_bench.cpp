// Cost of the region and pixel effects for one frame, as a multiple of copying one frame
// with memcpy in the same run (column "x_memcpy"). A region style's frame is building
// its region and drawing the new picture through it; a pixel style's frame is its pass
// over the picture.
//
// Built with Google Benchmark where it exists; on Windows, where it does not, a small
// self-timed loop in this file prints the same table.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "common/bitmap24.h"
#include "common/muldiv.h"
#include "common/random.h"
#include "transition/effect_families.h"
#include "transition/effect_regions.h"

namespace {

using Clock = std::chrono::steady_clock;

scr::TFrameParams Frame(int W, int H, int P) {
  scr::TFrameParams f;
  f.W = W;
  f.H = H;
  f.P = P;
  f.Step = 4;
  if (W >= H) {
    f.X = scr::MulDiv(W, P, 100);
    f.Y = scr::MulDiv(f.X, H, W);
  } else {
    f.Y = scr::MulDiv(H, P, 100);
    f.X = scr::MulDiv(f.Y, W, H);
  }
  f.G = scr::MulDiv(std::max(W, H), 4, 90);
  return f;
}

struct TPictures {
  scr::TBitmap24 old, next, frame;
  TPictures(int W, int H) : old(W, H), next(W, H), frame(W, H) {
    std::mt19937 rng(7);
    for (int y = 0; y < H; ++y)
      for (size_t k = 0; k < 3 * static_cast<size_t>(W); ++k) {
        old.Row(y)[k] = static_cast<uint8_t>(rng());
        next.Row(y)[k] = static_cast<uint8_t>(rng());
      }
  }
};

// Times one memcpy of the frame and one frame of work side by side, so that both see
// the same machine load; the ratio of the best times is what the table reports.
struct TPairTimer {
  std::vector<uint8_t> copy;
  double bestCopy = 1e9, bestWork = 1e9;
  explicit TPairTimer(const TPictures& p) : copy(p.next.SizeBytes()) {}
  template <class F>
  double Measure(const TPictures& p, F work) {
    const auto t0 = Clock::now();
    std::memcpy(copy.data(), p.next.Data(), copy.size());
    const auto t1 = Clock::now();
    work();
    const auto t2 = Clock::now();
    const double c = std::chrono::duration<double>(t1 - t0).count();
    const double w = std::chrono::duration<double>(t2 - t1).count();
    bestCopy = std::min(bestCopy, c);
    bestWork = std::min(bestWork, w);
    return w;
  }
  double Ratio() const { return bestWork / bestCopy; }
};

// One frame of a style, as the control composes it after restoring the old picture.
struct TFrameWork {
  scr::TStyleRegionBuilder builder;
  scr::TRegion region;
  void Run(int style, const scr::TFrameParams& f, TPictures& p) {
    if (scr::StyleKind(style) == scr::TStyleKind::Pixel) {
      scr::DrawPixelStyle(style, f, p.next, p.frame);
    } else {
      builder.Build(style, f, region);
      scr::DrawThroughRegion(region, p.next, p.frame);
    }
  }
};

struct TCase {
  const char* name;
  int style;
  int P;
};

// Styles of each builder at a middle position, and the heavy ends: the random blocks at
// P = 99 and the lattice where it has the most pieces.
const TCase kCases[] = {
    {"58 round sweep", 58, 50},     {"84 iris", 84, 25},           {"85 closing iris", 85, 50},
    {"113 corner triangle", 113, 50}, {"116 fan", 116, 50},        {"117 triangle grid", 117, 50},
    {"60 comb rows", 60, 50},       {"75 comb columns", 75, 50},   {"86 comb rows+cols", 86, 40},
    {"99 lattice", 99, 40},         {"99 lattice", 99, 60},        {"104 ragged", 104, 50},
    {"109 ragged both", 109, 50},   {"123 drip rows", 123, 50},    {"125 drip columns", 125, 50},
    {"127 blocks", 127, 50},        {"127 blocks", 127, 99},       {"118 cross-fade", 118, 50},
    {"119 rotation", 119, 50},      {"122 rotation", 122, 20},
};

struct TSizeCase {
  int W, H;
};
const TSizeCase kSizes[] = {{1920, 1080}, {3840, 2160}};

}  // namespace

#if !defined(_WIN32)

#include <benchmark/benchmark.h>

namespace {

void RegionEffect(benchmark::State& state, TCase c, int W, int H) {
  TPictures p(W, H);
  TPairTimer timer(p);
  TFrameWork work;
  const auto f = Frame(W, H, c.P);
  scr::ResetProgramRandom();
  for (auto _ : state) {
    state.SetIterationTime(timer.Measure(p, [&] {
      work.Run(c.style, f, p);
      benchmark::ClobberMemory();
    }));
  }
  state.counters["x_memcpy"] = timer.Ratio();
}

int Register() {
  for (const TSizeCase& s : kSizes)
    for (const TCase& c : kCases) {
      char name[96];
      std::snprintf(name, sizeof name, "%s P%d/%dx%d", c.name, c.P, s.W, s.H);
      benchmark::RegisterBenchmark(name, RegionEffect, c, s.W, s.H)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
  return 0;
}
const int registered = Register();

}  // namespace

BENCHMARK_MAIN();

#else

int main() {
  std::printf("%-26s %5s %11s %10s %9s\n", "style", "P", "size", "ms/frame", "x_memcpy");
  for (const TSizeCase& s : kSizes) {
    TPictures p(s.W, s.H);
    for (const TCase& c : kCases) {
      TFrameWork work;
      TPairTimer timer(p);
      const auto f = Frame(s.W, s.H, c.P);
      scr::ResetProgramRandom();
      work.Run(c.style, f, p);  // warm up: storage grows once
      for (int rep = 0; rep < 15; ++rep) timer.Measure(p, [&] { work.Run(c.style, f, p); });
      std::printf("%-26s %5d %5dx%-5d %10.2f %9.2f\n", c.name, c.P, s.W, s.H, timer.bestWork * 1e3, timer.Ratio());
    }
  }
  return 0;
}

#endif
