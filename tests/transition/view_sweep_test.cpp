// Every style number, at tiny and odd sizes, forward and backward, with the display
// options that change the geometry: runs end, frames stay the picture's size, nothing
// is touched outside the bitmaps (the sanitizer build checks that). And composing a
// rectangle frame never allocates.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "common/random.h"
#include "view_support.h"

// The replaced operators pair malloc with free; the compiler cannot see that through
// the inlined standard allocators.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t n) {
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace scr {
namespace {

using test::Graphic;
using test::Pattern;

struct TSize {
  int w, h, step;
};

TEST(ViewSweep, EveryStyleRunsToItsEndAtAnySize) {
  ResetProgramRandom();
  for (const TSize size : {TSize{1, 1, 4}, TSize{3, 7, 4}, TSize{7, 3, 9}, TSize{641, 479, 12}}) {
    for (int style = 0; style <= 130; ++style) {
      for (bool reverse : {false, true}) {
        SCOPED_TRACE("style " + std::to_string(style) + " size " + std::to_string(size.w) + "x" +
                     std::to_string(size.h) + (reverse ? " reverse" : ""));
        TOffscreenHost host(size.w + 5, size.h + 3);
        TTransitionView v(host);
        v.SetThreaded(false);
        v.SetDelay(0);
        v.SetStep(size.step);
        v.SetAlign(alClient);
        v.SetCenter(style % 3 == 1);
        v.SetStretch(style % 5 == 2);
        v.SetStretchFine(style % 2 == 0);
        v.SetReverse(reverse);
        v.SetStyle(static_cast<TShowStyle>(style == 130 ? 255 : style));
        int completes = 0;
        v.OnComplete = [&](TCustomTransitionView&) { ++completes; };
        v.SetPicture(Graphic(Pattern(size.w, size.h, 1)).get());
        v.Execute();
        v.SetPicture(Graphic(Pattern(size.w, size.h, 2)).get());
        v.Execute();
        EXPECT_FALSE(v.Busy());
        EXPECT_EQ(completes, 2);
        EXPECT_EQ(v.Progress(), reverse ? 0 : 100);
        EXPECT_EQ(v.FrameBitmap().Width(), size.w);
        EXPECT_EQ(v.FrameBitmap().Height(), size.h);
        if (!reverse && style <= 127) {
          EXPECT_EQ(v.FrameBitmap(), Pattern(size.w, size.h, 2));
        }
      }
    }
  }
}

TEST(ViewSweep, HandlersStoppingTheRunMidFrameLeaveEveryStyleSound) {
  // Stop from inside a frame (before composing it, from the custom draw, after it) and
  // from a nested Progress write: the frame still completes on intact bitmaps.
  ResetProgramRandom();
  for (int style = 0; style <= 127; ++style)
    for (int where = 0; where < 4; ++where) {
      SCOPED_TRACE("style " + std::to_string(style) + " stop point " + std::to_string(where));
      TOffscreenHost host(64, 40);
      TTransitionView v(host);
      v.SetThreaded(false);
      v.SetDelay(0);
      v.SetStyle(static_cast<TShowStyle>(style));
      auto stopper = [&, where](int at) {
        return [&, where, at](TCustomTransitionView& view, const TBitmap24&, TBitmap24&) {
          if (view.Progress() < 48 || !view.Busy()) return;
          if (at == 3) view.SetProgress(view.Progress() + 1);
          view.Stop();
        };
      };
      if (where == 0 || where == 3) v.OnBeforeNewFrame = stopper(where);
      if (where == 1) v.OnCustomDraw = stopper(where);
      if (where == 2) v.OnAfterNewFrame = stopper(where);
      int completes = 0;
      v.OnComplete = [&](TCustomTransitionView&) { ++completes; };
      v.SetPicture(Graphic(Pattern(64, 40, 1)).get());
      v.Execute();
      EXPECT_FALSE(v.Busy());
      EXPECT_EQ(v.FrameBitmap().Width(), 64);
      // The instant style ends within its first frame, before a handler ahead of the
      // composition wants to stop; the custom draw event fires for the instant style only.
      const bool runsOut = style == 0 ? (where == 0 || where == 3) : where == 1;
      EXPECT_EQ(completes, runsOut ? 1 : 0);
    }
}

TEST(ViewSweep, ComposingRectangleFramesDoesNotAllocate) {
  test::TShownView s(Pattern(97, 61, 1), 97, 61);
  s.view.SetManual(true);
  for (int style = 0; style <= 57; ++style) {
    s.view.SetStyle(static_cast<TShowStyle>(style));
    s.view.SetPicture(Graphic(Pattern(97, 61, 2)).get());
    s.view.Execute();
    gAllocations = 0;
    gCounting = true;
    for (int p = 1; p <= 100; p += 3) s.view.SetProgress(p);
    s.view.SetProgress(0);
    gCounting = false;
    EXPECT_EQ(gAllocations.load(), 0) << "style " << style;
    s.view.Stop();
  }
}

}  // namespace
}  // namespace scr
