// The rectangle-copy effects: their rectangles at known positions, and frames composed
// by the control compared bit for bit with the plain reference copy.
#include <gtest/gtest.h>

#include "transition/canvas_ops.h"
#include "common/muldiv.h"
#include "transition/rect_styles.h"
#include "view_support.h"

namespace scr {
namespace {

using test::Pattern;
using test::ReferenceCopy;
using test::SamePicture;

// The control's extents for a frame, as a manual run computes them.
TFrameParams Frame(int W, int H, int P, int step = 4) {
  TFrameParams f;
  f.W = W;
  f.H = H;
  f.P = P;
  f.Step = step;
  if (W >= H) {
    f.X = MulDiv(W, P, 100);
    f.Y = MulDiv(f.X, H, W);
  } else {
    f.Y = MulDiv(H, P, 100);
    f.X = MulDiv(f.Y, W, H);
  }
  f.G = MulDiv(W > H ? W : H, step, 90);
  return f;
}

// A manual run of `style` from `oldPic` to `newPic`, positioned at p (through 100
// first when p is reached backwards). Returns the frame.
TBitmap24 FrameAt(int style, const TBitmap24& oldPic, const TBitmap24& newPic, int p, bool reverse = false) {
  test::TShownView shown(oldPic, oldPic.Width(), oldPic.Height());
  TTransitionView& v = shown.view;
  v.SetStyle(static_cast<TShowStyle>(style));
  v.SetReverse(reverse);
  v.SetManual(true);
  v.SetPicture(test::Graphic(newPic).get());
  v.Execute();
  v.SetProgress(p);
  return v.FrameBitmap();
}

TEST(RectangleStyles, PlansOfTheDocumentedPositions) {
  // (Styles 3, 5 and 12 at their documented positions are checked pixel by pixel
  // below.)
  TRectStylePlan p;
  // Style 57 at P = 0: the top-left quarter stands left of the frame but for its last
  // column; then top-right, bottom-right, and the bottom-left quarter below the frame.
  p = PlanRectangleStyle(57, Frame(200, 100, 0));
  ASSERT_EQ(p.furtherCount, 3);
  EXPECT_EQ(p.further[0].dst, (TRect{-100, 0, 1, 51}));
  EXPECT_EQ(p.further[0].src, (TRect{0, 0, 101, 51}));
  EXPECT_EQ(p.further[1].dst, (TRect{99, -50, 200, 1}));
  EXPECT_EQ(p.further[1].src, (TRect{99, 0, 200, 51}));
  EXPECT_EQ(p.further[2].dst, (TRect{200, 49, 300, 100}));
  EXPECT_EQ(p.further[2].src, (TRect{101, 49, 200, 100}));
  EXPECT_EQ(p.D, (TRect{0, 100, 101, 150}));
  EXPECT_EQ(p.S, (TRect{0, 51, 101, 100}));
  // Style 51 (the default) at P = 30: magnified about the centre.
  p = PlanRectangleStyle(51, Frame(200, 100, 30));
  EXPECT_EQ(p.D, (TRect{-140, -70, 340, 170}));
  EXPECT_EQ(p.S, (TRect{70, 35, 130, 65}));
  // Style 16: the smear strip W div 20 wide beyond the edge, over the rest.
  p = PlanRectangleStyle(16, Frame(200, 100, 30));
  ASSERT_EQ(p.furtherCount, 1);
  EXPECT_EQ(p.further[0].dst, (TRect{0, 0, 60, 100}));
  EXPECT_EQ(p.D, (TRect{60, 0, 200, 100}));
  EXPECT_EQ(p.S, (TRect{60, 0, 70, 100}));
  // The vertical counterpart 34 on a portrait picture: Y first.
  p = PlanRectangleStyle(34, Frame(100, 200, 30));
  EXPECT_EQ(p.further[0].dst, (TRect{0, 140, 100, 200}));
  EXPECT_EQ(p.D, (TRect{0, 0, 100, 140}));
  EXPECT_EQ(p.S, (TRect{0, 130, 100, 140}));
}

TEST(RectangleStyles, ExtentsRoundHalvesAwayFromZeroAndFollowTheLongerSide) {
  const TFrameParams land = Frame(200, 100, 30);
  EXPECT_EQ(land.X, 60);
  EXPECT_EQ(land.Y, 30);
  EXPECT_EQ(land.G, 9);
  EXPECT_EQ(Frame(333, 100, 50).X, 167);
  const TFrameParams portrait = Frame(100, 200, 30);
  EXPECT_EQ(portrait.Y, 60);
  EXPECT_EQ(portrait.X, 30);
  // Style 19 squeezes in from the top using the portrait's Y.
  EXPECT_EQ(PlanRectangleStyle(19, portrait).D, (TRect{0, 0, 100, 60}));
}

TEST(RectangleStyles, FoldBandGrowsHoldsAndShrinks) {
  // W = 200: X div 2 below 40, 20 from 40 to 160, (200 - X) div 2 beyond.
  EXPECT_EQ(FoldBand(0, 200), 0);
  EXPECT_EQ(FoldBand(39, 200), 19);
  EXPECT_EQ(FoldBand(40, 200), 20);
  EXPECT_EQ(FoldBand(160, 200), 20);
  EXPECT_EQ(FoldBand(161, 200), 19);
  EXPECT_EQ(FoldBand(200, 200), 0);
  const TRectStylePlan p = PlanRectangleStyle(14, Frame(200, 100, 50));
  ASSERT_EQ(p.furtherCount, 1);
  EXPECT_TRUE(p.further[0].mirrorLeftRight);
  EXPECT_EQ(p.further[0].dst, (TRect{100, 0, 120, 100}));
  EXPECT_EQ(p.further[0].src, (TRect{120, 0, 140, 100}));
  const TRectStylePlan v = PlanRectangleStyle(32, Frame(100, 200, 50));
  EXPECT_TRUE(v.further[0].mirrorTopBottom);
  EXPECT_EQ(v.further[0].dst, (TRect{0, 80, 100, 100}));
  EXPECT_EQ(v.further[0].src, (TRect{0, 60, 100, 80}));
}

TEST(RectangleStyles, DocumentedFramesPixelForPixel) {
  const TBitmap24 oldPic = Pattern(200, 100, 1), newPic = Pattern(200, 100, 2);

  // Style 5 at 50: left half new, right half old.
  TBitmap24 f = FrameAt(5, oldPic, newPic, 50);
  for (int y = 0; y < 100; y += 7)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(f.Pixel(x, y), (x < 100 ? newPic : oldPic).Pixel(x, y)) << x;

  // Style 3 at 25: the new picture's left quarter at the right edge, full size.
  f = FrameAt(3, oldPic, newPic, 25);
  for (int y = 0; y < 100; y += 9)
    for (int x = 0; x < 200; ++x)
      ASSERT_EQ(f.Pixel(x, y), x < 150 ? oldPic.Pixel(x, y) : newPic.Pixel(x - 150, y)) << x;

  // Style 12 reached at 0 backwards: one column of the new picture at the left.
  f = FrameAt(12, oldPic, newPic, 0, true);
  for (int y = 0; y < 100; y += 5) {
    EXPECT_EQ(f.Pixel(0, y), newPic.Pixel(0, y));
    for (int x = 1; x < 200; ++x) ASSERT_EQ(f.Pixel(x, y), oldPic.Pixel(x, y));
  }

  // Style 14 at 50: wiped to 100, then the band: D' = (100, 0, 120, H) widened to
  // columns 100..121 takes source columns 120..139 mirrored.
  f = FrameAt(14, oldPic, newPic, 50);
  for (int y = 0; y < 100; y += 11) {
    EXPECT_EQ(f.Pixel(99, y), newPic.Pixel(99, y));
    EXPECT_EQ(f.Pixel(100, y), newPic.Pixel(139, y));
    EXPECT_EQ(f.Pixel(121, y), newPic.Pixel(120, y));
    EXPECT_EQ(f.Pixel(122, y), oldPic.Pixel(122, y));
  }

  // Style 57 at 0: column 0 of the top half shows new column 100; row 0 from column 99
  // on shows new row 50; everything else is old.
  f = FrameAt(57, oldPic, newPic, 0, true);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      uint32_t want = oldPic.Pixel(x, y);
      if (x == 0 && y <= 50) want = newPic.Pixel(100, y);
      else if (y == 0 && x >= 99) want = newPic.Pixel(x, 50);
      ASSERT_EQ(f.Pixel(x, y), want) << x << "," << y;
    }
}

// The control's frame for every rectangle style equals the plan carried out with the
// plain reference copy: further copies in order, then S onto D.
TEST(RectangleStyles, ControlFramesMatchThePlanCarriedOutByTheReference) {
  struct TSize {
    int w, h;
  };
  for (const TSize size : {TSize{64, 40}, TSize{31, 57}, TSize{1, 1}, TSize{3, 7}}) {
    const TBitmap24 oldPic = Pattern(size.w, size.h, 11), newPic = Pattern(size.w, size.h, 12);
    for (int style = 1; style <= 57; ++style)
      for (int p : {0, 1, 13, 37, 50, 64, 99, 100}) {
        const TBitmap24 actual = FrameAt(style, oldPic, newPic, p, p == 0);
        TBitmap24 expected = oldPic;
        const TRectStylePlan plan = PlanRectangleStyle(style, Frame(size.w, size.h, p));
        for (int i = 0; i < plan.furtherCount; ++i) {
          const TFurtherCopy& c = plan.further[static_cast<size_t>(i)];
          if (c.mirrorLeftRight || c.mirrorTopBottom) {
            const TRect s = Intersect(c.src, newPic.Bounds());
            const int dx = c.mirrorLeftRight ? c.dst.right + 1 : c.dst.left;
            const int dcx = c.mirrorLeftRight ? (c.dst.left - 1) - (c.dst.right + 1) : c.dst.Width();
            const int dy = c.mirrorTopBottom ? c.dst.bottom + 1 : c.dst.top;
            const int dcy = c.mirrorTopBottom ? (c.dst.top - 1) - (c.dst.bottom + 1) : c.dst.Height();
            ReferenceCopy(expected, dx, dy, dcx, dcy, newPic, s.left, s.top, s.Width(), s.Height());
          } else {
            ReferenceCopy(expected, c.dst, newPic, c.src);
          }
        }
        if (p == 100) expected = newPic;
        else if (p > 0) ReferenceCopy(expected, plan.D, newPic, plan.S);
        ASSERT_TRUE(SamePicture(actual, expected,
                                "style" + std::to_string(style) + "-p" + std::to_string(p) + "-" +
                                    std::to_string(size.w) + "x" + std::to_string(size.h)));
      }
  }
}

}  // namespace
}  // namespace scr
