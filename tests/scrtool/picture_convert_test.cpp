// Pictures on their way into a package: formats converted, EXIF orientation applied,
// sizes limited, transparency flattened, plain JPEGs kept byte for byte.
#include <gtest/gtest.h>

#include "package/picture_data.h"
#include "tests/scrtool/test_pictures.h"
#include "tools/scrtool/picture_convert.h"

namespace scr::tool::test {
namespace {

TContentType TypeOf(const std::vector<uint8_t>& bytes) {
  return DetectContent(std::span(bytes).first(std::min(bytes.size(), kContentHeadSize)));
}

TPackedPicture Pack(const std::vector<uint8_t>& bytes, TPictureOptions options = {}) {
  return PackPicture(bytes, TypeOf(bytes), "test picture", options);
}

// The packed picture as the runtime decodes it.
TBitmap24 Shown(const TPackedPicture& packed) {
  const auto graphic = DecodePictureData(EncodePictureData(packed.pictureClass, packed.bytes));
  TBitmap24 bitmap(graphic->Width(), graphic->Height());
  graphic->Draw(bitmap, 0, 0);
  return bitmap;
}

TEST(PictureConvertTest, EveryExifOrientationEndsUpright) {
  // What each orientation's display shows in the corners (top left, top right,
  // bottom left, bottom right) of the stored red/green/blue/white quadrants.
  const std::vector<std::vector<uint32_t>> expected = {
      {kRed, kGreen, kBlue, kWhite},  {kGreen, kRed, kWhite, kBlue},  {kWhite, kBlue, kGreen, kRed},
      {kBlue, kWhite, kRed, kGreen},  {kRed, kBlue, kGreen, kWhite},  {kBlue, kRed, kWhite, kGreen},
      {kWhite, kGreen, kBlue, kRed},  {kGreen, kWhite, kRed, kBlue}};
  const vips::VImage stored = Quadrants(80, 40);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    SCOPED_TRACE(orientation);
    const TPackedPicture packed = Pack(Saved(stored, ".jpg[Q=95]", orientation));
    EXPECT_EQ(packed.pictureClass, "TJPEGImage");
    const TBitmap24 shown = Shown(packed);
    const bool turned = orientation >= 5;
    EXPECT_EQ(shown.Width(), turned ? 40 : 80);
    EXPECT_EQ(shown.Height(), turned ? 80 : 40);
    EXPECT_EQ(Corners(shown), expected[static_cast<size_t>(orientation - 1)]);
    // Nothing in what is packaged turns it again.
    EXPECT_EQ(Pack(packed.bytes).bytes, packed.bytes);
  }
}

TEST(PictureConvertTest, PlainSmallJpegGoesInByteForByte) {
  const std::vector<uint8_t> jpeg = Saved(Quadrants(64, 48), ".jpg[Q=80]");
  const TPackedPicture packed = Pack(jpeg);
  EXPECT_FALSE(packed.converted);
  EXPECT_EQ(packed.bytes, jpeg);
}

TEST(PictureConvertTest, OversizedPicturesShrinkToFitKeepingTheirShape) {
  struct TCase {
    int width, height, maxWidth, maxHeight;
  };
  for (const TCase c : {TCase{4000, 1200, 3840, 2160}, TCase{1000, 3000, 3840, 2160}, TCase{901, 601, 300, 300}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    TPictureOptions options;
    options.maxWidth = c.maxWidth;
    options.maxHeight = c.maxHeight;
    const TBitmap24 shown = Shown(Pack(Saved(Quadrants(c.width, c.height), ".jpg[Q=90]"), options));
    const double scale = std::min(double(c.maxWidth) / c.width, double(c.maxHeight) / c.height);
    EXPECT_LE(shown.Width(), c.maxWidth);
    EXPECT_LE(shown.Height(), c.maxHeight);
    EXPECT_NEAR(shown.Width(), c.width * scale, 1.0);
    EXPECT_NEAR(shown.Height(), c.height * scale, 1.0);
    EXPECT_EQ(Corners(shown), (std::vector<uint32_t>{kRed, kGreen, kBlue, kWhite}));
  }
  TPictureOptions unlimited;
  unlimited.maxWidth = unlimited.maxHeight = 0;
  const std::vector<uint8_t> large = Saved(Quadrants(5000, 100), ".jpg");
  EXPECT_EQ(Pack(large, unlimited).bytes, large);
}

TEST(PictureConvertTest, OtherFormatsBecomeJpegsOfTheSamePicture) {
  const vips::VImage picture = Quadrants(60, 40);
  const std::string work = std::string(SCR_TEST_OUTPUT_DIR) + "/picture_convert";
  for (const auto& [name, bytes] : {std::pair{"PNG", Saved(picture, ".png")}, std::pair{"WebP", Saved(picture, ".webp[Q=95]")},
                                    std::pair{"TIFF", Saved(picture, ".tif")}, std::pair{"GIF", Saved(picture, ".gif")},
                                    std::pair{"HEIF", SavedAsHeif(picture, work)}}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(TypeOf(bytes).format, name);
    const TPackedPicture packed = Pack(bytes);
    EXPECT_TRUE(packed.converted);
    EXPECT_EQ(packed.pictureClass, "TJPEGImage");
    const TBitmap24 shown = Shown(packed);
    EXPECT_EQ(shown.Width(), 60);
    EXPECT_EQ(shown.Height(), 40);
    EXPECT_EQ(Corners(shown), (std::vector<uint32_t>{kRed, kGreen, kBlue, kWhite}));
  }
}

TEST(PictureConvertTest, TransparencyIsFlattenedOntoTheBackground) {
  TPictureOptions options;
  options.background = {0, 0, 255};  // blue
  const TBitmap24 shown = Shown(Pack(Saved(Quadrants(60, 40, true), ".png"), options));
  // The transparent left half shows the background; the opaque right half its colours.
  EXPECT_EQ(Corners(shown), (std::vector<uint32_t>{kBlue, kGreen, kBlue, kWhite}));
}

TEST(PictureConvertTest, KeepOriginalsTakesOnlyWhatTheRuntimeReads) {
  TPictureOptions keep;
  keep.keepOriginals = true;
  const std::vector<uint8_t> rotated = Saved(Quadrants(40, 20), ".jpg", 6);
  EXPECT_EQ(Pack(rotated, keep).bytes, rotated);
  try {
    Pack(Saved(Quadrants(40, 20), ".png"), keep);
    FAIL() << "a PNG was kept";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("test picture is a PNG picture"), std::string::npos) << e.what();
  }
}

TEST(PictureConvertTest, DamagedPicturesFailNamingTheFile) {
  std::vector<uint8_t> png = Saved(Quadrants(40, 20), ".png");
  png.resize(60);
  try {
    Pack(png);
    FAIL() << "a cut-off PNG was packed";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("test picture: cannot read the picture", 0), 0u) << e.what();
  }
}

}  // namespace
}  // namespace scr::tool::test
