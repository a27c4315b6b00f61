// Composing the full-screen frame: fitting, centring, background and caption.
#include <gtest/gtest.h>

#include "common/graphic.h"
#include "package/jpeg_image.h"
#include "platform/headless/headless_platform.h"
#include "saver/compose.h"
#include "tests/support/saver_files.h"
#include "tests/pictures/picture_builders.h"

namespace scr::saver {
namespace {

using platform::headless::THeadlessPlatform;

TEST(FitPicture, SmallPicturesStayUnlessStretchedLargeOnesShrink) {
  EXPECT_EQ(FitPicture(320, 240, 1024, 768, false), (TFitSize{320, 240, false}));
  EXPECT_EQ(FitPicture(320, 240, 1024, 768, true), (TFitSize{1024, 768, true}));
  EXPECT_EQ(FitPicture(2000, 1000, 1024, 768, false), (TFitSize{1024, 512, true}));
  EXPECT_EQ(FitPicture(2000, 1000, 1024, 768, true), (TFitSize{1024, 512, true}));
  // Too tall: the height decides.
  EXPECT_EQ(FitPicture(500, 1536, 1024, 768, false), (TFitSize{250, 768, true}));
  // A picture that fits exactly stays as it is.
  EXPECT_EQ(FitPicture(1024, 768, 1024, 768, false), (TFitSize{1024, 768, false}));
}

TEST(FitPicture, ComputedSideRoundsHalvesToEven) {
  // 1001 * 1024 / 2048 = 500.5 -> 500; 1003 * 1024 / 2048 = 501.5 -> 502.
  EXPECT_EQ(FitPicture(2048, 1001, 1024, 768, false).height, 500);
  EXPECT_EQ(FitPicture(2048, 1003, 1024, 768, false).height, 502);
  EXPECT_EQ(FitPicture(2048, 1002, 1024, 768, false).height, 501);
  // Width side: 1025 * 768 / 1536 = 512.5 -> 512.
  EXPECT_EQ(FitPicture(1025, 1536, 1024, 768, false).width, 512);
}

TEST(FitPicture, EmptyPicturesStayEmpty) {
  EXPECT_EQ(FitPicture(0, 0, 1024, 768, true), TFitSize{});
  EXPECT_EQ(FitPicture(0, 50, 1024, 768, false), TFitSize{});
}

class ComposeTest : public ::testing::Test {
 protected:
  TBitmap24 Compose(const TGraphic& g) { return ComposeFrame(&g, settings_, 1024, 768, p_.Screen()); }
  THeadlessPlatform p_;
  TSSFileLocations settings_;
};

TEST_F(ComposeTest, UnscaledPictureSitsInTheMiddleOnTheBackground) {
  settings_.SetBackground(0x123456);
  const TBitmap24 pic = scr::test::PatternBitmap(320, 240);
  const TBitmap24 frame = Compose(TBitmapGraphic(pic));
  ASSERT_EQ(frame.Width(), 1024);
  ASSERT_EQ(frame.Height(), 768);
  EXPECT_EQ(frame.Pixel(351, 264), 0x123456u);
  EXPECT_EQ(frame.Pixel(352, 263), 0x123456u);
  EXPECT_EQ(frame.Pixel(352, 264), pic.Pixel(0, 0));
  EXPECT_EQ(frame.Pixel(352 + 319, 264 + 239), pic.Pixel(319, 239));
  EXPECT_EQ(frame.Pixel(352 + 320, 264 + 239), 0x123456u);
}

TEST_F(ComposeTest, StretchedAndReducedPicturesFillTheirFittedRectangle) {
  settings_.SetlStretch(true);
  TBitmap24 small(320, 240);
  small.Fill(0x00FF00);
  TBitmap24 frame = Compose(TBitmapGraphic(small));
  EXPECT_EQ(frame.Pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(frame.Pixel(1023, 767), 0x00FF00u);

  settings_.SetlStretch(false);
  settings_.SetBackground(0xFF0000);
  TBitmap24 wide(2000, 1000);
  wide.Fill(0x0000FF);
  frame = Compose(TBitmapGraphic(wide));
  EXPECT_EQ(frame.Pixel(0, 127), 0xFF0000u);
  EXPECT_EQ(frame.Pixel(0, 128), 0x0000FFu);
  EXPECT_EQ(frame.Pixel(1023, 639), 0x0000FFu);
  EXPECT_EQ(frame.Pixel(1023, 640), 0xFF0000u);
}

// A picture with transparent parts: it draws one blue pixel at each corner of the
// rectangle it is given and leaves the rest alone.
class TCornersGraphic : public TGraphic {
 public:
  TCornersGraphic(int w, int h) : w_(w), h_(h) {}
  std::string ClassName() const override { return "TCorners"; }
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  void Draw(TBitmap24& dst, int x, int y) const override { StretchDraw(dst, TRect{x, y, x + w_, y + h_}); }
  void StretchDraw(TBitmap24& dst, const TRect& r) const override {
    for (int y : {r.top, r.bottom - 1})
      for (int x : {r.left, r.right - 1}) dst.FillRect(TRect{x, y, x + 1, y + 1}, 0xFF0000);
  }
  std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TCornersGraphic>(*this); }

 private:
  int w_, h_;
};

TEST_F(ComposeTest, TransparentPartsShowWhiteInsideThePictureAndTheBackgroundAround) {
  settings_.SetBackground(0x0000FF);
  for (const bool stretch : {false, true}) {
    settings_.SetlStretch(stretch);
    const TBitmap24 frame = Compose(TCornersGraphic(100, 50));
    // Unscaled at (462, 359); stretched to 1024 x 512 at (0, 128).
    const TRect place = stretch ? TRect{0, 128, 1024, 640} : TRect{462, 359, 562, 409};
    TBitmap24 expected(1024, 768);
    expected.Fill(0x0000FF);
    expected.FillRect(place, 0xFFFFFF);
    TCornersGraphic(100, 50).StretchDraw(expected, place);
    EXPECT_TRUE(frame == expected) << "stretch " << stretch;
  }
}

TEST_F(ComposeTest, SystemColourBackgroundIsResolved) {
  settings_.SetBackground(0xFF00000F);
  const TBitmap24 frame = Compose(TBitmapGraphic(TBitmap24(10, 10)));
  EXPECT_EQ(frame.Pixel(0, 0), p_.Screen().SysColor(15));
}

TEST_F(ComposeTest, CaptionTouchesTheBottomCentredInTheFontsColour) {
  settings_.SetText("Hello");
  settings_.TextFont().SetHeight(-24);
  settings_.TextFont().SetColor(0x00FFFF);
  settings_.TextFont().SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));  // not applied
  const platform::TTextFont font{"MS Sans Serif", -24, 0x00FFFF};
  const platform::TTextSize extent = p_.Screen().TextExtent(font, "Hello");
  ASSERT_GT(extent.cx, 0);
  ASSERT_GT(extent.cy, 0);
  const TBitmap24 frame = Compose(TBitmapGraphic(TBitmap24(10, 10)));
  const int x = 512 - extent.cx / 2, y = 768 - extent.cy;
  EXPECT_TRUE(p_.Log().Has("DrawText " + std::to_string(x) + "," + std::to_string(y) + " Hello"));
  // Some caption pixel is drawn, and none outside the text's cell.
  bool inside = false, outside = false;
  for (int py = 0; py < 768; ++py)
    for (int px = 0; px < 1024; ++px) {
      if (frame.Pixel(px, py) == 0) continue;
      const bool inCell = px >= x && px < x + extent.cx + 2 && py >= y && py < 768;
      const bool picture = px >= 507 && px < 517 && py >= 379 && py < 389;
      if (inCell) inside = true;
      else if (!picture) outside = true;
    }
  EXPECT_TRUE(inside);
  EXPECT_FALSE(outside);
  // The same text in a regular font: the style made no difference.
  TSSFileLocations regular = settings_;
  regular.TextFont().SetStyle(0);
  EXPECT_EQ(ComposeFrame(nullptr, settings_, 1024, 768, p_.Screen()),
            ComposeFrame(nullptr, regular, 1024, 768, p_.Screen()));
}

TEST_F(ComposeTest, CaptionWiderThanTheScreenIsClippedAtBothSides) {
  settings_.SetText(std::string(400, 'W'));
  settings_.TextFont().SetHeight(-20);
  settings_.TextFont().SetColor(0xFFFFFF);
  const TBitmap24 frame = ComposeFrame(nullptr, settings_, 1024, 768, p_.Screen());
  const size_t at = p_.Log().Find("DrawText ");
  ASSERT_NE(at, platform::headless::TCallLog::npos);
  EXPECT_EQ(p_.Log().Entries()[at].substr(9, 1), "-");  // x is negative
  bool left = false, right = false;
  for (int y = 700; y < 768; ++y) {
    left |= frame.Pixel(0, y) != 0 || frame.Pixel(1, y) != 0 || frame.Pixel(2, y) != 0;
    right |= frame.Pixel(1023, y) != 0 || frame.Pixel(1022, y) != 0 || frame.Pixel(1021, y) != 0;
  }
  EXPECT_TRUE(left);
  EXPECT_TRUE(right);
}

TEST_F(ComposeTest, JpegRecordBecomesABitmapOfTheFrame) {
  std::vector<uint8_t> rgb(64 * 48 * 3, 200);
  TImage record;
  record.Picture().SetGraphic(std::make_unique<TJPEGImage>(test::EncodeJpeg(rgb, 64, 48, 3, 95)));
  ComposePicture(record, settings_, 1024, 768, p_.Screen());
  ASSERT_NE(record.Picture().Graphic(), nullptr);
  EXPECT_EQ(record.Picture().Graphic()->ClassName(), "TBitmap");
  EXPECT_EQ(record.Picture().Graphic()->Width(), 1024);
  EXPECT_EQ(record.Picture().Graphic()->Height(), 768);
}

}  // namespace
}  // namespace scr::saver
