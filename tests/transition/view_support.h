#pragma once
// Pictures, a reference nearest-pixel copy and picture comparison for the control's
// tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "common/bitmap24.h"
#include "common/graphic.h"
#include "package/bmp_codec.h"
#include "transition/offscreen_host.h"
#include "transition/transition_view.h"

namespace scr::test {

// A picture whose every pixel differs from its neighbours: colour from (x, y, seed).
inline TBitmap24 Pattern(int w, int h, uint32_t seed) {
  TBitmap24 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t v = (static_cast<uint32_t>(x) * 73856093u) ^ (static_cast<uint32_t>(y) * 19349663u) ^ (seed * 83492791u);
      v ^= v >> 13;
      v *= 0x5bd1e995u;
      v ^= v >> 15;
      b.SetPixel(x, y, v & 0xFFFFFF);
    }
  return b;
}

inline TBitmap24 Solid(int w, int h, uint32_t rgb) {
  TBitmap24 b(w, h);
  b.Fill(rgb);
  return b;
}

inline std::unique_ptr<TGraphic> Graphic(const TBitmap24& b) { return std::make_unique<TBitmapGraphic>(b); }

// The plain reference of the nearest-pixel stretched copy: destination pixel i of an
// extent of n pixels takes source pixel floor((2i + 1) m / 2n) of an extent of m
// pixels; a negative extent covers origin + extent + 1 .. origin, and the copy is
// mirrored along an axis whose two extents have different signs.
inline void ReferenceCopy(TBitmap24& dst, int dx, int dy, int dcx, int dcy, const TBitmap24& src, int sx, int sy,
                          int scx, int scy) {
  if (dcx == 0 || dcy == 0 || scx == 0 || scy == 0) return;
  auto axis = [](int origin, int extent, int& start, int& count) {
    start = extent > 0 ? origin : origin + extent + 1;
    count = extent > 0 ? extent : -extent;
  };
  int dxs, dxn, dys, dyn, sxs, sxn, sys, syn;
  axis(dx, dcx, dxs, dxn);
  axis(dy, dcy, dys, dyn);
  axis(sx, scx, sxs, sxn);
  axis(sy, scy, sys, syn);
  const bool mx = (dcx < 0) != (scx < 0), my = (dcy < 0) != (scy < 0);
  for (int j = 0; j < dyn; ++j) {
    const int y = dys + j;
    if (y < 0 || y >= dst.Height()) continue;
    const int jj = my ? dyn - 1 - j : j;
    const int64_t srcY = sys + (2 * static_cast<int64_t>(jj) + 1) * syn / (2 * static_cast<int64_t>(dyn));
    if (srcY < 0 || srcY >= src.Height()) continue;
    for (int i = 0; i < dxn; ++i) {
      const int x = dxs + i;
      if (x < 0 || x >= dst.Width()) continue;
      const int ii = mx ? dxn - 1 - i : i;
      const int64_t srcX = sxs + (2 * static_cast<int64_t>(ii) + 1) * sxn / (2 * static_cast<int64_t>(dxn));
      if (srcX < 0 || srcX >= src.Width()) continue;
      dst.SetPixel(x, y, src.Pixel(static_cast<int>(srcX), static_cast<int>(srcY)));
    }
  }
}

inline void ReferenceCopy(TBitmap24& dst, const TRect& d, const TBitmap24& src, const TRect& s) {
  ReferenceCopy(dst, d.left, d.top, d.Width(), d.Height(), src, s.left, s.top, s.Width(), s.Height());
}

// Equal pictures, or a failure that writes both beside the test log.
inline ::testing::AssertionResult SamePicture(const TBitmap24& actual, const TBitmap24& expected,
                                              const std::string& name) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::filesystem::create_directories(SCR_TEST_OUTPUT_DIR);
  const std::string base = std::string(SCR_TEST_OUTPUT_DIR) + "/" + name;
  auto write = [](const std::string& path, const TBitmap24& b) {
    if (b.Empty()) return;
    const std::vector<uint8_t> bytes = EncodeBmp24(b);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
  };
  write(base + "-actual.bmp", actual);
  write(base + "-expected.bmp", expected);
  auto result = ::testing::AssertionFailure() << name << ": pictures differ (" << base << "-actual.bmp, -expected.bmp)";
  if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
    return result << "; sizes " << actual.Width() << "x" << actual.Height() << " and " << expected.Width() << "x"
                  << expected.Height();
  for (int y = 0; y < actual.Height(); ++y)
    for (int x = 0; x < actual.Width(); ++x)
      if (actual.Pixel(x, y) != expected.Pixel(x, y))
        return result << "; first at (" << x << ", " << y << ")";
  return result;
}

// A control on an offscreen parent of the same size, showing `shown` as its current
// picture (through a manual run to 100), with Threaded off.
struct TShownView {
  TOffscreenHost host;
  TTransitionView view;

  TShownView(const TBitmap24& shown, int w, int h) : host(w, h), view(host) {
    view.SetThreaded(false);
    view.SetBounds(0, 0, w, h);
    view.SetManual(true);
    view.SetStyle(0);
    view.SetPicture(Graphic(shown).get());
    view.Execute();
    view.SetProgress(100);
    view.Stop();
    view.SetManual(false);
  }
};

}  // namespace scr::test
