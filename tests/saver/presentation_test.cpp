// The show's presentation settings in whole saver runs on the headless screen
// (1024 x 768): the fills, portrait pairs, the shuffle without repeats, the slow pan
// and zoom, and the captions.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "saver/caption.h"
#include "saver/picture_layout.h"
#include "tests/saver/saver_fixture.h"
#include "transition/transition_view.h"

namespace scr::saver::test {
namespace {

constexpr uint32_t kBackground = 0x00FF00;  // green: no picture below has any

// A picture of two bands: `top` over its upper third, `rest` below.
TBitmap24 Banded(int w, int h, uint32_t top, uint32_t rest) {
  TBitmap24 b(w, h);
  b.Fill(rest);
  b.FillRect(TRect{0, 0, w, h / 3}, top);
  return b;
}

// A picture with detail everywhere and never the background colour (red is never 0).
TBitmap24 Textured(int w, int h) {
  TBitmap24 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, static_cast<uint32_t>(64 + ((x * 7) & 127)) | (static_cast<uint32_t>((y * 11) & 0xFF) << 8) |
                           (static_cast<uint32_t>(((x + y) * 5) & 0xFF) << 16));
  return b;
}

int Channel(uint32_t rgb, int k) { return static_cast<int>((rgb >> (8 * k)) & 0xFF); }
int Brightness(uint32_t rgb) { return Channel(rgb, 0) + Channel(rgb, 1) + Channel(rgb, 2); }

bool HasColour(const TBitmap24& frame, uint32_t rgb) {
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x)
      if (frame.Pixel(x, y) == rgb) return true;
  return false;
}

class PresentationTest : public SaverTest {
 protected:
  PresentationTest() {
    Settings().SetBackground(kBackground);
    Settings().SetEffectCommaList("5");
  }
  // The frame on show after the first transition.
  TBitmap24 FirstFrame() {
    Start();
    RunFor(1000);
    EXPECT_GE(shown_.size(), 1u);
    return form_->PShow().FrameBitmap();
  }
};

TEST_F(PresentationTest, BlurFillsTheBarsWithADarkerSmoothCopyOfThePicture) {
  Settings().SetFillMode(1);
  // A portrait of fine stripes, bright red and bright blue.
  TBitmap24 pic(300, 600);
  for (int x = 0; x < 300; ++x) pic.FillRect(TRect{x, 0, x + 1, 600}, x % 4 < 2 ? 0x0000FFu : 0xFF0000u);
  AddPicture(pic);
  const TBitmap24 frame = FirstFrame();
  // The picture fits the height, 384 wide in the middle; the bars are left and right.
  EXPECT_FALSE(HasColour(frame, kBackground));
  int worstStep = 0;
  for (int y = 100; y < 700; y += 50) {
    for (int x = 1; x < 300; ++x) {
      const uint32_t here = frame.Pixel(x, y), before = frame.Pixel(x - 1, y);
      EXPECT_LT(Brightness(here), Brightness(0x0000FF)) << x << "," << y;  // darker than the picture
      EXPECT_GT(Brightness(here), 20) << x << "," << y;                    // but not black
      for (int k = 0; k < 3; ++k) worstStep = std::max(worstStep, std::abs(Channel(here, k) - Channel(before, k)));
    }
  }
  EXPECT_LE(worstStep, 4);  // low frequency: the stripes are gone
  // Over the copy a smaller picture is enlarged to fit; over the colour it is not.
  EXPECT_EQ(LayoutPicture(300, 600, 1024, 768, TFill::Blur, false).place, (TRect{320, 0, 704, 768}));
  EXPECT_EQ(LayoutPicture(300, 600, 1024, 768, TFill::Colour, false).place, (TRect{362, 84, 662, 684}));
}

TEST_F(PresentationTest, CropCoversTheScreenAndKeepsTheUpperThirdOfAPortrait) {
  Settings().SetFillMode(2);
  AddPicture(Banded(300, 900, 0x0000FF, 0xFF0000));  // red top third, blue below
  const TBitmap24 frame = FirstFrame();
  EXPECT_FALSE(HasColour(frame, kBackground));
  // Scaled to 1024 wide, the picture is 3072 high: its top third is the whole screen.
  EXPECT_EQ(frame.Pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(frame.Pixel(1023, 767), 0x0000FFu);

  // A landscape picture is cut at the sides, centred.
  const TPictureLayout wide = LayoutPicture(2000, 768, 1024, 768, TFill::Crop, false);
  EXPECT_EQ(wide.place, (TRect{0, 0, 1024, 768}));
  EXPECT_EQ(wide.window.w, 1024 * kFixedOne);
  EXPECT_EQ(wide.window.x, (2000 - 1024) / 2 * kFixedOne);
  // A portrait keeps its top rows.
  const TPictureLayout tall = LayoutPicture(600, 1200, 1024, 768, TFill::Crop, false);
  EXPECT_EQ(tall.window.y, 0);
  EXPECT_EQ(tall.window.w, 600 * kFixedOne);
  EXPECT_EQ(tall.window.h, 450 * kFixedOne);
}

TEST_F(PresentationTest, TwoPortraitsShareTheScreenAndTheCountAdvancesByTwo) {
  Settings().SetlPairPortraits(true);
  AddPicture(Banded(200, 400, 0x0000FF, 0x0000FF));  // red
  AddPicture(Banded(200, 400, 0xFF0000, 0xFF0000));  // blue
  AddPicture(scr::test::PatternBitmap(300, 200));    // landscape: alone
  TBitmap24 frame;
  Start();
  auto record = form_->PShow().OnComplete;
  form_->PShow().OnComplete = [&] {
    if (shown_.empty()) {
      frame = form_->PShow().FrameBitmap();
      EXPECT_EQ(form_->PicIndex(), 0);
    }
    record();
  };
  RunFor(9000);
  ASSERT_GE(shown_.size(), 3u);
  ASSERT_FALSE(frame.Empty());
  EXPECT_EQ(frame.Pixel(512 - 150, 384), 0x0000FFu);
  EXPECT_EQ(frame.Pixel(512 + 150, 384), 0xFF0000u);
  // Then the landscape picture alone, then the pair again.
  EXPECT_EQ(Pictures()[1], 2);
  EXPECT_EQ(Pictures()[2], 0);
  int64_t expected = 0;
  for (int32_t pic : Pictures()) expected += pic == 0 ? 2 : 1;
  EXPECT_EQ(form_->PicturesShown(), expected);
}

TEST_F(PresentationTest, NoRepeatShowsEveryPictureOnceARoundWithoutARepeatAtTheSeams) {
  AddPictures(5);
  Settings().SetlRandomPic(true);
  Settings().SetlNoRepeat(true);
  Settings().SetInterval(300);
  Start();
  RunFor(20000);
  const std::vector<int32_t> seq = Pictures();
  ASSERT_GE(seq.size(), 15u);
  for (int round = 0; round < 3; ++round) {
    const std::set<int32_t> items(seq.begin() + 5 * round, seq.begin() + 5 * (round + 1));
    EXPECT_EQ(items, (std::set<int32_t>{0, 1, 2, 3, 4})) << round;
  }
  for (size_t i = 1; i < 15; ++i) EXPECT_NE(seq[i], seq[i - 1]) << i;
}

TEST_F(PresentationTest, PanZoomMovesTheHeldPictureAndTheTransitionStartsFromTheLastHeldFrame) {
  Settings().SetFillMode(2);
  Settings().SetPanZoom(20);
  AddPicture(Textured(1200, 900));
  AddPicture(Textured(900, 1200));
  std::vector<TBitmap24> held;
  TBitmap24 transitionStart;
  size_t heldBefore = 0;
  Start();
  form_->OnHeldFrame = [&](const TBitmap24& f) { held.push_back(f); };
  form_->PShow().Control().OnAfterNewFrame = [&](TCustomTransitionView&, const TBitmap24&, TBitmap24& screen) {
    if (transitionStart.Empty() && !held.empty()) {
      transitionStart = screen;
      heldBefore = held.size();
    }
  };
  RunFor(4500);
  ASSERT_GE(shown_.size(), 2u);
  ASSERT_GE(heldBefore, 20u);
  auto same = [](const TBitmap24& a, const TBitmap24& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Data(), a.Data() + a.Height() * TBitmap24::StrideFor(a.Width()), b.Data());
  };
  size_t differing = 0;
  for (size_t i = 1; i < heldBefore; ++i) differing += !same(held[i], held[i - 1]);
  EXPECT_GE(differing, heldBefore / 2);
  for (const TBitmap24& f : {held.front(), held[heldBefore / 2], held[heldBefore - 1]})
    EXPECT_FALSE(HasColour(f, kBackground));
  // The next transition starts from the last frame held, and the next picture moves too.
  EXPECT_TRUE(same(transitionStart, held[heldBefore - 1]));
  EXPECT_GT(held.size(), heldBefore);
}

TEST_F(PresentationTest, StillPicturesAreNotRedrawnWhileHeld) {
  Settings().SetFillMode(1);
  AddPictures(2);
  size_t held = 0;
  Start();
  form_->OnHeldFrame = [&](const TBitmap24&) { ++held; };
  RunFor(5000);
  EXPECT_GE(shown_.size(), 2u);
  EXPECT_EQ(held, 0u);
}

TEST_F(PresentationTest, TheCaptionDrawnOnceMatchesTheCaptionDrawnOnEachFrame) {
  Settings().SetText("Caption of every frame, Zażółć");
  Settings().TextFont().SetColor(0x40E0FF);
  for (const bool scaled : {false, true}) {
    SCOPED_TRACE(scaled);
    Settings().SetlCaptionScaled(scaled);
    const TCaptionOverlay overlay = MakeCaptionOverlay(Settings().Text(), Settings(), 1024, 768, p_.Screen());
    ASSERT_FALSE(overlay.area.IsEmpty());
    for (const int shift : {0, 37}) {
      TBitmap24 drawn = Textured(1024 + shift, 768);
      TBitmap24 frame(1024, 768);
      DrawBitmap(frame, -shift, 0, drawn);
      const TBitmap24 before = frame;
      drawn = frame;
      DrawCaption(drawn, Settings().Text(), Settings(), p_.Screen());
      ApplyCaptionOverlay(overlay, frame);
      int worst = 0;
      for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 3 * 1024; ++x)
          worst = std::max(worst, std::abs(int{drawn.Row(y)[x]} - int{frame.Row(y)[x]}));
      EXPECT_LE(worst, 2);
      EXPECT_FALSE(drawn == before);  // the caption is there at all
    }
  }
  EXPECT_TRUE(MakeCaptionOverlay("", Settings(), 1024, 768, p_.Screen()).area.IsEmpty());
}

TEST(Motion, StaysInsideItsWindowAndRepeatsFromRunToRun) {
  const TFixedWindow base{10 * kFixedOne, 20 * kFixedOne, 1000 * kFixedOne, 500 * kFixedOne};
  ResetProgramRandom();
  const TMotion m = RandomMotion(30);
  ResetProgramRandom();
  const TMotion again = RandomMotion(30);
  EXPECT_EQ(m.startX, again.startX);
  EXPECT_EQ(m.endY, again.endY);
  for (int32_t t = 0; t <= kMotionEnd; t += kMotionEnd / 16) {
    const TFixedWindow w = MotionWindow(base, m, t);
    EXPECT_GE(w.x, base.x);
    EXPECT_GE(w.y, base.y);
    EXPECT_LE(w.x + w.w, base.x + base.w);
    EXPECT_LE(w.y + w.h, base.y + base.h);
    EXPECT_GE(w.w * 130, base.w * 100 - 130);  // zoomed by 30 % at most
  }
  // Zooming in starts from the whole window; out ends on it.
  const TFixedWindow start = MotionWindow(base, m, 0), end = MotionWindow(base, m, kMotionEnd);
  EXPECT_EQ(m.zoomIn ? start.w : end.w, base.w);
  // No motion: the window itself, and no draw from the generator.
  ResetProgramRandom();
  EXPECT_EQ(RandomMotion(0).percent, 0);
  EXPECT_EQ(ProgramRandom().State(), 0u);
}

TEST(Caption, OwnDescriptionOrTextAndAHeightScaledFrom1080Lines) {
  TSSFileLocations s;
  s.SetText("all");
  s.SetDescriptCommaList("one,,three");
  EXPECT_EQ(CaptionFor(s, 0), "all");
  s.SetCaptionMode(1);
  EXPECT_EQ(CaptionFor(s, 0), "one");
  EXPECT_EQ(CaptionFor(s, 1), "all");  // empty entry
  EXPECT_EQ(CaptionFor(s, 2), "three");
  EXPECT_EQ(CaptionFor(s, 7), "all");  // beyond the list
  platform::headless::THeadlessPlatform p;
  s.TextFont().SetHeight(-40);
  EXPECT_EQ(CaptionFont(s, 2160, p.Screen()).height, -40);
  s.SetlCaptionScaled(true);
  EXPECT_EQ(CaptionFont(s, 2160, p.Screen()).height, -80);
  EXPECT_EQ(CaptionFont(s, 540, p.Screen()).height, -20);
}

TEST_F(PresentationTest, ScaledCaptionStandsAboveTheBottomEdgeWithADarkOutline) {
  Settings().SetText("Caption");
  Settings().TextFont().SetColor(0xFFFFFF);
  Settings().SetlCaptionScaled(true);
  Settings().SetBackground(0x808080);
  AddPicture(Banded(100, 80, 0x808080, 0x808080));
  Start();
  RunFor(1000);
  const TBitmap24 frame = form_->PShow().FrameBitmap();
  int firstRow = -1, lastRow = -1, darkest = 3 * 255;
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x) {
      if (frame.Pixel(x, y) == 0xFFFFFFu) {
        if (firstRow < 0) firstRow = y;
        lastRow = y;
      }
      darkest = std::min(darkest, Brightness(frame.Pixel(x, y)));
    }
  ASSERT_GE(firstRow, 0);
  EXPECT_LT(lastRow, 768 - 768 / 24);       // the margin
  EXPECT_LT(darkest, Brightness(0x808080));  // the outline
}

}  // namespace
}  // namespace scr::saver::test
