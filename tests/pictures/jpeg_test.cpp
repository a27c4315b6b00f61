// JPEG pictures: libjpeg decodes into the bitmap layout, its errors become picture
// errors with libjpeg's text, and the picture's size is known before any decoding.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "package/jpeg_decode.h"
#include "package/jpeg_image.h"
#include "tests/pictures/picture_builders.h"

namespace scr {
namespace {

constexpr int kWidth = 67, kHeight = 45;

// Smooth gradients that JPEG keeps closely, as red, green, blue samples.
std::vector<uint8_t> SourceRgb() {
  std::vector<uint8_t> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      uint8_t* p = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
      p[0] = static_cast<uint8_t>(40 + 3 * x);
      p[1] = static_cast<uint8_t>(200 - 4 * y);
      p[2] = static_cast<uint8_t>(60 + x + y);
    }
  return rgb;
}

TBitmap24 AsBitmap(const std::vector<uint8_t>& samples, int components) {
  TBitmap24 b(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = &samples[(static_cast<size_t>(y) * kWidth + x) * components];
      const uint32_t r = p[0], g = p[components == 3 ? 1 : 0], bl = p[components == 3 ? 2 : 0];
      b.SetPixel(x, y, r | g << 8 | bl << 16);
    }
  return b;
}

TEST(JpegDecode, ColourPictureMatchesTheSourceAndDecodesTheSameTwice) {
  const std::vector<uint8_t> rgb = SourceRgb();
  for (bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    const std::vector<uint8_t> file = test::EncodeJpeg(rgb, kWidth, kHeight, 3, 95, progressive);
    const TBitmap24 decoded = DecodeJpeg(file);
    EXPECT_TRUE(test::BitmapsNear(decoded, AsBitmap(rgb, 3), 12, progressive ? "jpeg-progressive" : "jpeg-baseline"));
    EXPECT_EQ(DecodeJpeg(file), decoded);
  }
}

TEST(JpegDecode, GreyscalePictureBecomesGreyColourPixels) {
  std::vector<uint8_t> grey(static_cast<size_t>(kWidth) * kHeight);
  for (size_t i = 0; i < grey.size(); ++i) grey[i] = static_cast<uint8_t>(20 + (i % kWidth) * 3);
  const std::vector<uint8_t> file = test::EncodeJpeg(grey, kWidth, kHeight, 1, 95);
  EXPECT_EQ(ReadJpegHeader(file).components, 1);
  const TBitmap24 decoded = DecodeJpeg(file);
  EXPECT_TRUE(test::BitmapsNear(decoded, AsBitmap(grey, 1), 8, "jpeg-grey"));
  for (int y = 0; y < decoded.Height(); ++y)
    for (int x = 0; x < decoded.Width(); ++x) {
      const uint8_t* p = decoded.Row(y) + 3 * x;
      ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << x << "," << y;
    }
}

TEST(JpegDecode, HeaderGivesTheSizeWithoutDecoding) {
  const std::vector<uint8_t> file = test::EncodeJpeg(SourceRgb(), kWidth, kHeight, 3, 80);
  const TJpegHeader header = ReadJpegHeader(file);
  EXPECT_EQ(header.width, kWidth);
  EXPECT_EQ(header.height, kHeight);
  EXPECT_EQ(header.components, 3);
  // The header is all that is needed: the scan data may be missing.
  const std::vector<uint8_t> headOnly(file.begin(), file.begin() + 700);
  EXPECT_EQ(ReadJpegHeader(headOnly).width, kWidth);
}

// Finds the start-of-frame marker, whose payload holds height and width.
size_t FrameMarker(const std::vector<uint8_t>& file) {
  for (size_t i = 2; i + 9 < file.size(); ++i)
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) return i;
  return 0;
}

TEST(JpegDecode, HugeDimensionsAreRefusedFromTheHeader) {
  const std::vector<uint8_t> file = test::EncodeJpeg(SourceRgb(), kWidth, kHeight, 3, 80);
  const size_t sof = FrameMarker(file);
  ASSERT_NE(sof, 0u);
  const auto withSize = [&](int width, int height) {
    std::vector<uint8_t> f = file;
    f[sof + 5] = static_cast<uint8_t>(height >> 8);
    f[sof + 6] = static_cast<uint8_t>(height);
    f[sof + 7] = static_cast<uint8_t>(width >> 8);
    f[sof + 8] = static_cast<uint8_t>(width);
    return f;
  };
  for (auto [w, h] : {std::pair{40000, 10}, std::pair{10, 33000}, std::pair{30000, 30000}}) {
    const std::vector<uint8_t> huge = withSize(w, h);
    EXPECT_THROW(
        {
          try {
            ReadJpegHeader(huge);
          } catch (const EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), kJpegTooLarge);
            throw;
          }
        },
        EInvalidGraphic);
    EXPECT_THROW(DecodeJpeg(huge), EInvalidGraphic);
    EXPECT_THROW(TJPEGImage{huge}, EInvalidGraphic);
  }
}

TEST(JpegDecode, BadDataRaisesLibjpegsMessage) {
  const auto message = [](const std::vector<uint8_t>& data) -> std::string {
    try {
      DecodeJpeg(data);
    } catch (const EInvalidGraphic& e) {
      return e.what();
    }
    return "(decoded)";
  };
  EXPECT_EQ(message({'G', 'I', 'F', '8', '9', 'a'}), "Not a JPEG file: starts with 0x47 0x49");
  EXPECT_EQ(message({}), "Empty input file");
  // A file that is only the start-of-image marker has no picture.
  EXPECT_NE(message({0xFF, 0xD8}), "(decoded)");
}

TEST(JpegDecode, DamagedAndTruncatedDataNeverCrashesAndPrintsNothing) {
  const std::vector<uint8_t> rgb = SourceRgb();
  testing::internal::CaptureStderr();
  for (bool progressive : {false, true}) {
    const std::vector<uint8_t> file = test::EncodeJpeg(rgb, kWidth, kHeight, 3, 90, progressive);
    // A baseline picture whose scan data ends early decodes as far as it goes.
    if (!progressive) {
      const std::vector<uint8_t> cut(file.begin(), file.begin() + file.size() * 3 / 4);
      EXPECT_EQ(DecodeJpeg(cut).Width(), kWidth);
    }
    for (size_t n = 0; n < file.size(); n += 37) {
      try {
        DecodeJpeg(std::vector<uint8_t>(file.begin(), file.begin() + n));
      } catch (const EInvalidGraphic&) {
      }
    }
    uint32_t state = progressive ? 7 : 99;
    for (int round = 0; round < 300; ++round) {
      std::vector<uint8_t> damaged = file;
      for (int i = 0; i < 1 + round % 6; ++i) {
        state = state * 1103515245u + 12345u;
        damaged[2 + (state >> 8) % (damaged.size() - 2)] = static_cast<uint8_t>(state >> 24);
      }
      try {
        const TBitmap24 b = DecodeJpeg(damaged);
        EXPECT_LE(b.Width(), 32768);
      } catch (const EInvalidGraphic&) {
      }
    }
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(JpegDecode, EndlessScansAreCutOff) {
  // Repeating a progressive picture's last scan gives libjpeg only warnings, and each
  // scan is another pass over the picture: the decoder stops after a few hundred.
  const std::vector<uint8_t> file = test::EncodeJpeg(SourceRgb(), kWidth, kHeight, 3, 90, true);
  size_t lastScan = 0;
  for (size_t i = 2; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDA) lastScan = i;
  ASSERT_NE(lastScan, 0u);
  std::vector<uint8_t> endless(file.begin(), file.begin() + lastScan);
  for (int i = 0; i < 600; ++i) endless.insert(endless.end(), file.begin() + lastScan, file.end() - 2);
  endless.insert(endless.end(), {0xFF, 0xD9});
  try {
    DecodeJpeg(endless);
    FAIL() << "decoded 600 scans";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "JPEG image has too many scans");
  }
}

TEST(JpegImage, KnowsItsSizeAndDecodesWhenFirstDrawn) {
  const std::vector<uint8_t> rgb = SourceRgb();
  const TJPEGImage image(test::EncodeJpeg(rgb, kWidth, kHeight, 3, 95));
  EXPECT_EQ(image.ClassName(), "TJPEGImage");
  EXPECT_EQ(image.Width(), kWidth);
  EXPECT_EQ(image.Height(), kHeight);
  EXPECT_FALSE(image.Decoded());

  TBitmap24 target;
  target.SetSize(kWidth + 10, kHeight + 10, 0x0000FF);
  image.Draw(target, 10, 10);
  EXPECT_TRUE(image.Decoded());
  EXPECT_EQ(target.Pixel(9, 9), 0x0000FFu);
  TBitmap24 drawn(kWidth, kHeight);
  DrawBitmap(drawn, -10, -10, target);
  EXPECT_EQ(drawn, image.Bitmap());

  // Stretching doubles each pixel.
  TBitmap24 stretched(2 * kWidth, 2 * kHeight);
  image.StretchDraw(stretched, stretched.Bounds());
  EXPECT_EQ(stretched.Pixel(5, 7), image.Bitmap().Pixel(2, 3));

  const std::unique_ptr<TGraphic> copy = image.Clone();
  EXPECT_EQ(copy->Width(), kWidth);
  EXPECT_EQ(static_cast<const TJPEGImage&>(*copy).Data(), image.Data());
}

TEST(JpegImage, EmptyDataIsAnEmptyImageAndBadPixelsFailWhenDrawn) {
  const TJPEGImage empty{std::vector<uint8_t>{}};
  EXPECT_TRUE(empty.Empty());
  TBitmap24 target;
  target.SetSize(4, 4, 0x123456);
  empty.Draw(target, 0, 0);
  empty.StretchDraw(target, target.Bounds());
  EXPECT_EQ(target.Pixel(0, 0), 0x123456u);

  // A header that reads well with no pixel data behind it: libjpeg gives up only when
  // drawing needs the scans.
  std::vector<uint8_t> file = test::EncodeJpeg(SourceRgb(), kWidth, kHeight, 3, 80);
  const size_t sof = FrameMarker(file);
  file[sof + 9] = 7;  // an impossible number of colour components
  EXPECT_THROW(TJPEGImage{file}, EInvalidGraphic);
  const std::vector<uint8_t> junk{1, 2, 3};
  EXPECT_THROW(TJPEGImage{junk}, EInvalidGraphic);
}

}  // namespace
}  // namespace scr
