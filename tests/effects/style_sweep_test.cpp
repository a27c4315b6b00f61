// Every region and pixel style over whole runs: tiny and odd picture sizes, every step,
// and the same frames on a second run from the generator's start state.

#include <gtest/gtest.h>

#include "effect_helpers.h"
#include "transition/effect_families.h"
#include "transition/effect_regions.h"

namespace scr {
namespace {

using test::Frame;

struct TSize {
  int w, h;
};

TEST(StyleSweep, EveryStyleAtTinyAndThinSizesStaysInsideThePicture) {
  TStyleRegionBuilder builder;
  TRegion region;
  for (TSize s : {TSize{1, 1}, TSize{4, 4}, TSize{3, 200}, TSize{200, 3}, TSize{7, 5}, TSize{2, 9}}) {
    TBitmap24 next(s.w, s.h), frame(s.w, s.h);
    next.Fill(0xFFFFFF);
    for (int style = 58; style <= 127; ++style) {
      for (int P = 0; P <= 100; ++P) {
        const auto f = Frame(s.w, s.h, P, P % 2 ? 4 : 100);
        if (StyleKind(style) == TStyleKind::Pixel) {
          DrawPixelStyle(style, f, next, frame);
          continue;
        }
        builder.Build(style, f, region);
        ASSERT_TRUE(region.Valid()) << "style " << style << " P " << P;
        const TRect e = region.Extents();
        ASSERT_TRUE(region.Empty() || (e.left >= 0 && e.top >= 0 && e.right <= s.w && e.bottom <= s.h))
            << "style " << style << " P " << P << " size " << s.w << "x" << s.h;
        DrawThroughRegion(region, next, frame);
      }
    }
  }
}

// The frames of a whole run, Step 4, as the region each frame draws through.
std::vector<TRegion> RunFrames(int style, int W, int H) {
  TStyleRegionBuilder builder;
  std::vector<TRegion> frames;
  for (int P = 4; P <= 100; P += 4) {
    frames.emplace_back();
    builder.Build(style, Frame(W, H, P), frames.back());
  }
  return frames;
}

TEST(StyleSweep, RandomStylesRepeatFromTheStartState) {
  for (int style : {65, 67, 68, 79, 100, 104, 109, 123, 125, 126, 127}) {
    ResetProgramRandom();
    const auto first = RunFrames(style, 160, 90);
    const uint32_t after = ProgramRandom().State();
    ResetProgramRandom();
    const auto second = RunFrames(style, 160, 90);
    EXPECT_EQ(ProgramRandom().State(), after);
    EXPECT_EQ(first, second) << "style " << style;
    // A different start state gives different frames: the draws are really used.
    ProgramRandom().SetState(12345);
    EXPECT_NE(RunFrames(style, 160, 90), first) << "style " << style;
  }
}

TEST(StyleSweep, EveryRegionStyleCoversThePictureAtTheEnd) {
  // At P = 100 the control draws the new picture whole anyway; every region already
  // covers it, so a style that would end on a gap shows as a fault here.
  const TRegion whole = TRegion::Rect(TRect{0, 0, 160, 90});
  for (int style = 58; style <= 127; ++style) {
    if (StyleKind(style) == TStyleKind::Pixel) continue;
    TRegion r = BuildStyleRegion(style, Frame(160, 90, 100));
    EXPECT_EQ(r, whole) << "style " << style;
  }
}

}  // namespace
}  // namespace scr
