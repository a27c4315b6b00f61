// The control's geometry and painting: defaults and setters, centring, stretching,
// the mapping of invalidated areas, and the background picture modes.
#include <gtest/gtest.h>

#include "common/muldiv.h"
#include "transition/canvas_ops.h"
#include "view_support.h"

namespace scr {
namespace {

using test::Graphic;
using test::Pattern;
using test::SamePicture;
using test::Solid;

TEST(ViewProperties, ClampingAndSideEffectsOfSetters) {
  TOffscreenHost host(300, 200);
  TTransitionView v(host);
  EXPECT_EQ(v.Color(), host.ParentColor());  // ParentColor is on at first
  v.SetStep(0);
  EXPECT_EQ(v.Step(), 1);
  v.SetStep(101);
  EXPECT_EQ(v.Step(), 100);
  v.SetColor(0x123456);
  EXPECT_FALSE(v.ParentColor());
  EXPECT_EQ(v.Color(), 0x123456u);
  // Switching Manual while idle puts Progress at the start of the next run.
  v.SetReverse(true);
  v.SetManual(true);
  EXPECT_EQ(v.Progress(), 100);
  v.SetReverse(false);
  v.SetManual(false);
  EXPECT_EQ(v.Progress(), 0);
}

TEST(ViewProperties, PictureChangesSizeTheControlAndNotify) {
  TOffscreenHost host(300, 200);
  TTransitionView v(host);
  int changes = 0;
  v.OnChange = [&](TCustomTransitionView&) { ++changes; };
  v.SetPicture(Graphic(Pattern(60, 30, 1)).get());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(v.Width(), 60);
  EXPECT_EQ(v.Height(), 30);
  v.SetAutoSize(false);
  v.SetPicture(Graphic(Pattern(10, 10, 1)).get());
  EXPECT_EQ(v.Width(), 60);
  v.SetAutoSize(true);  // switched on: sized at once
  EXPECT_EQ(v.Width(), 10);
  v.SetPicture(nullptr);
  EXPECT_EQ(changes, 3);
  EXPECT_FALSE(v.Picture().HasGraphic());
  // Aligned to the parent's client area, AutoSize no longer applies.
  v.SetAlign(alClient);
  EXPECT_EQ(v.BoundsRect(), (TRect{0, 0, 300, 200}));
  v.SetPicture(Graphic(Pattern(20, 20, 1)).get());
  EXPECT_EQ(v.BoundsRect(), (TRect{0, 0, 300, 200}));
  host.SetClientSize(320, 240);
  EXPECT_EQ(v.BoundsRect(), (TRect{0, 0, 320, 240}));
  // The assigned graphic is copied: the control keeps its own.
  auto g = Graphic(Pattern(5, 5, 2));
  v.SetPicture(g.get());
  EXPECT_NE(v.Picture().Graphic(), g.get());
}

// A finished run of `pic` in a control of the client size, Center on.
struct TCentred {
  TOffscreenHost host;
  TTransitionView view{host};
  TCentred(int cw, int ch, const TBitmap24& pic) : host(cw, ch) {
    view.SetThreaded(false);
    view.SetAlign(alClient);
    view.SetCenter(true);
    view.SetStyle(0);
    view.SetPicture(Graphic(pic).get());
    view.Execute();
  }
};

TEST(ViewLayout, CentreCropsALargerPictureEvenly) {
  const TBitmap24 pic = Pattern(140, 100, 4);
  TCentred c(100, 80, pic);
  EXPECT_EQ(c.view.PicRect(), (TRect{-20, -10, 120, 90}));
  for (int y = 0; y < 80; y += 3)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(c.host.Canvas().Pixel(x, y), pic.Pixel(x + 20, y + 10)) << x << "," << y;
  // The next transition's snapshot is the visible part; outside it nothing was shown.
  c.view.SetManual(true);
  c.view.SetStyle(5);
  c.view.SetPicture(Graphic(Pattern(140, 100, 5)).get());
  c.view.Execute();
  c.view.SetProgress(1);
  EXPECT_EQ(c.view.FrameBitmap().Pixel(60, 40), pic.Pixel(60, 40));
}

TEST(ViewLayout, CentreAndStretchRepaintOnChange) {
  const TBitmap24 pic = Pattern(50, 40, 6);
  TCentred c(100, 80, pic);
  EXPECT_EQ(c.host.Canvas().Pixel(25, 20), pic.Pixel(0, 0));
  c.view.SetStretch(true);
  c.view.Update();
  TBitmap24 stretched(100, 80);
  test::ReferenceCopy(stretched, TRect{0, 0, 100, 80}, pic, pic.Bounds());
  EXPECT_TRUE(SamePicture(c.host.Canvas(), stretched, "stretch-whole"));
  c.view.SetStretchFine(true);
  c.host.SetClientSize(200, 80);  // the fitting rectangle: 100 x 80 centred
  c.view.Update();
  TBitmap24 fine = Solid(200, 80, ColorToRGB(c.view.Color(), c.host));
  test::ReferenceCopy(fine, TRect{50, 0, 150, 80}, pic, pic.Bounds());
  EXPECT_TRUE(SamePicture(c.host.Canvas(), fine, "stretch-fine"));
}

// The rectangle invalidated for one frame of style `style` at p, W = 200, H = 100.
TRect FrameArea(int style, int p, int cw, int ch, bool center, bool stretch, bool fine, int left = 0, int top = 0) {
  TOffscreenHost host(cw + left, ch + top);
  TTransitionView v(host);
  v.SetAutoSize(false);
  v.SetBounds(left, top, cw, ch);
  v.SetCenter(center);
  v.SetStretch(stretch);
  v.SetStretchFine(fine);
  v.SetStyle(static_cast<TShowStyle>(style));
  v.SetManual(true);
  v.SetPicture(Graphic(Pattern(200, 100, 1)).get());
  v.Execute();
  host.logInvalidations = true;
  v.SetProgress(p);
  EXPECT_EQ(host.invalidations.size(), 1u);
  return host.invalidations.empty() ? TRect{} : host.invalidations.back();
}

TEST(ViewLayout, InvalidateAreaMapsPictureToParentCoordinates) {
  // Plain: shifted by the control's position.
  EXPECT_EQ(FrameArea(5, 50, 200, 100, false, false, false, 10, 5), (TRect{10, 5, 110, 105}));
  // Centred in 300 x 200: PicRect (50, 50, 250, 150).
  EXPECT_EQ(FrameArea(5, 50, 300, 200, true, false, false, 10, 5), (TRect{60, 55, 160, 155}));
  // Clamped to PicRect: style 3's D reaches to 350.
  EXPECT_EQ(FrameArea(3, 25, 200, 100, false, false, false), (TRect{150, 0, 200, 100}));
  // Stretched over 400 x 300.
  EXPECT_EQ(FrameArea(5, 50, 400, 300, false, true, false), (TRect{0, 0, 200, 300}));
  // Stretched to fit 400 x 300: T = (0, 50, 400, 250).
  EXPECT_EQ(FrameArea(5, 50, 400, 300, false, true, true), (TRect{0, 50, 200, 250}));
  // Odd scales round halves away from zero: 100 * 333 / 200 = 166.5 -> 167.
  EXPECT_EQ(FrameArea(5, 50, 333, 100, false, true, false).right, 167);
}

TEST(ViewPaint, BackgroundPictureModes) {
  const TBitmap24 tile = Pattern(7, 5, 8);
  auto painted = [&](TBackgroundMode mode) {
    TOffscreenHost host(30, 20);
    host.SetParentColor(0x0000FF);
    TTransitionView v(host);
    v.SetAutoSize(false);
    v.SetBounds(0, 0, 30, 20);
    v.SetBgMode(mode);
    v.SetBgPicture(Graphic(tile).get());
    v.Repaint();
    return host.Canvas();
  };
  TBitmap24 tiled = Solid(30, 20, 0x0000FF);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) tiled.SetPixel(x, y, tile.Pixel(x % 7, y % 5));
  EXPECT_TRUE(SamePicture(painted(bmTiled), tiled, "bg-tiled"));
  TBitmap24 stretched = Solid(30, 20, 0x0000FF);
  test::ReferenceCopy(stretched, TRect{0, 0, 30, 20}, tile, tile.Bounds());
  EXPECT_TRUE(SamePicture(painted(bmStretched), stretched, "bg-stretched"));
  TBitmap24 centred = Solid(30, 20, 0x0000FF);
  DrawBitmap(centred, 11, 7, tile);
  EXPECT_TRUE(SamePicture(painted(bmCentered), centred, "bg-centred"));
  EXPECT_TRUE(SamePicture(painted(bmNone), Solid(30, 20, 0x0000FF), "bg-none"));
}

TEST(ViewPaint, SystemColoursResolveThroughTheHost) {
  TOffscreenHost host(4, 4);
  TTransitionView v(host);
  v.SetColor(clWindow);
  v.Repaint();
  EXPECT_EQ(host.Canvas().Pixel(1, 1), host.SysColor(5));
  v.SetColor(0x7F102030);  // a plain colour's high byte is ignored
  v.Repaint();
  EXPECT_EQ(host.Canvas().Pixel(1, 1), 0x102030u);
}

TEST(ViewPaint, AFrameRepaintsOnlyWhatChanged) {
  test::TShownView s(Pattern(40, 20, 1), 40, 20);
  s.view.SetManual(true);
  s.view.SetStyle(5);
  s.view.SetPicture(Graphic(Pattern(40, 20, 2)).get());
  s.view.Execute();
  s.host.logInvalidations = true;
  const int before = s.host.updateCount;
  s.view.SetProgress(50);
  EXPECT_EQ(s.host.updateCount, before + 1);  // painted before the write returned
  ASSERT_EQ(s.host.invalidations.size(), 1u);
  EXPECT_EQ(s.host.invalidations[0], (TRect{0, 0, 20, 20}));
  EXPECT_EQ(s.host.Canvas().Pixel(5, 5), Pattern(40, 20, 2).Pixel(5, 5));
  EXPECT_EQ(s.host.Canvas().Pixel(25, 5), Pattern(40, 20, 1).Pixel(25, 5));
}

TEST(ViewPaint, TheColourFillsEverythingTheFramesAndControlsLeaveUncovered) {
  // A parent of 60 x 40 in red, a control part outside it in blue showing a picture
  // smaller than itself, a second control overlapping the first, then each in turn
  // moved, shrunk or hidden: every repaint must leave no pixel of the frame before.
  TOffscreenHost host(60, 40);
  host.SetParentColor(0x0000FF);
  TTransitionView a(host), b(host);
  for (TTransitionView* v : {&a, &b}) {
    v->SetThreaded(false);
    v->SetAutoSize(false);
    v->SetBgMode(bmNone);
  }
  a.SetColor(0xFF0000);
  b.SetColor(0x00FF00);
  a.SetBounds(-5, 4, 50, 30);
  b.SetBounds(40, 20, 30, 30);
  const TBitmap24 pic = Pattern(20, 12, 9);
  a.SetManual(true);
  a.SetStyle(0);
  a.SetPicture(Graphic(pic).get());
  a.Execute();
  a.SetProgress(100);
  a.Stop();
  auto expected = [&](bool showA, bool showB, const TRect& picAt) {
    TBitmap24 e = Solid(60, 40, 0x0000FF);
    if (showA) {
      e.FillRect(a.BoundsRect(), 0xFF0000);
      e.FillRect(Intersect(picAt, a.BoundsRect()), 0);
      TBitmap24 shown = Solid(a.Width(), a.Height(), 0xFF0000);
      test::ReferenceCopy(shown, Offset(picAt, -a.Left(), -a.Top()), pic, pic.Bounds());
      DrawBitmap(e, a.Left(), a.Top(), shown);
    }
    if (showB) e.FillRect(b.BoundsRect(), 0x00FF00);
    return e;
  };
  host.InvalidateRect(TRect{0, 0, 60, 40});
  host.UpdateNow();
  EXPECT_TRUE(SamePicture(host.Canvas(), expected(true, true, TRect{-5, 4, 15, 16}), "two-controls"));
  a.SetStretch(true);
  a.SetStretchFine(true);  // 20 x 12 fitted into 50 x 30: exactly the control
  host.UpdateNow();
  EXPECT_TRUE(SamePicture(host.Canvas(), expected(true, true, a.BoundsRect()), "stretched"));
  a.SetBounds(-5, 4, 40, 30);  // fitted: 40 x 24, centred
  host.UpdateNow();
  EXPECT_TRUE(SamePicture(host.Canvas(), expected(true, true, TRect{-5, 7, 35, 31}), "fitted"));
  b.SetVisible(false);
  host.UpdateNow();
  EXPECT_TRUE(SamePicture(host.Canvas(), expected(true, false, TRect{-5, 7, 35, 31}), "b-hidden"));
  a.Clear();
  host.UpdateNow();
  EXPECT_TRUE(SamePicture(host.Canvas(), expected(true, false, TRect{}), "cleared"));
  a.SetVisible(false);
  host.UpdateNow();
  EXPECT_TRUE(SamePicture(host.Canvas(), expected(false, false, TRect{}), "a-hidden"));
}

}  // namespace
}  // namespace scr
