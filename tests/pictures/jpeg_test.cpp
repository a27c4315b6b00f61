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

// Smooth gradients, which JPEG keeps closely: samples red, green, blue (or grey).
std::vector<uint8_t> Source(int components) {
  std::vector<uint8_t> s(static_cast<size_t>(kWidth) * kHeight * components);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      for (int c = 0; c < components; ++c)
        s[(static_cast<size_t>(y) * kWidth + x) * components + c] = static_cast<uint8_t>(c == 0 ? 40 + 3 * x : c == 1 ? 200 - 4 * y : 60 + x + y);
  return s;
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

// Catches the decoder's error text, or says that it decoded.
std::string ErrorOf(const std::vector<uint8_t>& data) {
  try {
    DecodeJpeg(data);
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "(decoded)";
}

TEST(JpegDecode, MatchesTheSourceInColourAndGreyAndDecodesTheSameTwice) {
  for (int components : {3, 1})
    for (bool progressive : {false, true}) {
      const std::string name = std::string("jpeg-") + (components == 3 ? "colour" : "grey") + (progressive ? "-progressive" : "");
      SCOPED_TRACE(name);
      const std::vector<uint8_t> source = Source(components);
      const std::vector<uint8_t> file = test::EncodeJpeg(source, kWidth, kHeight, components, 95, progressive);
      const TJpegHeader header = ReadJpegHeader(file);
      EXPECT_EQ(header.width, kWidth);
      EXPECT_EQ(header.height, kHeight);
      EXPECT_EQ(header.components, components);
      const TBitmap24 decoded = DecodeJpeg(file);
      EXPECT_TRUE(test::BitmapsNear(decoded, AsBitmap(source, components), 12, name));
      EXPECT_EQ(DecodeJpeg(file), decoded);
      for (int y = 0; components == 1 && y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
          const uint8_t* p = decoded.Row(y) + 3 * x;
          ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << "grey pixel " << x << "," << y;
        }
    }
}

// Finds the start-of-frame marker, whose payload holds height, width and components.
size_t FrameMarker(const std::vector<uint8_t>& file) {
  for (size_t i = 2; i + 9 < file.size(); ++i)
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) return i;
  return 0;
}

TEST(JpegDecode, HugeDimensionsAreRefusedFromTheHeader) {
  const std::vector<uint8_t> file = test::EncodeJpeg(Source(3), kWidth, kHeight, 3, 80);
  const size_t sof = FrameMarker(file);
  ASSERT_NE(sof, 0u);
  for (auto [w, h] : {std::pair{40000, 10}, std::pair{10, 33000}, std::pair{30000, 30000}}) {
    std::vector<uint8_t> huge = file;
    huge[sof + 5] = static_cast<uint8_t>(h >> 8);
    huge[sof + 6] = static_cast<uint8_t>(h);
    huge[sof + 7] = static_cast<uint8_t>(w >> 8);
    huge[sof + 8] = static_cast<uint8_t>(w);
    EXPECT_EQ(ErrorOf(huge), kJpegTooLarge);
    EXPECT_THROW(ReadJpegHeader(huge), EInvalidGraphic);
  }
}

TEST(JpegDecode, BadDataRaisesLibjpegsMessageAndPrintsNothing) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(ErrorOf({'G', 'I', 'F', '8', '9', 'a'}), "Not a JPEG file: starts with 0x47 0x49");
  EXPECT_EQ(ErrorOf({}), "Empty input file");
  EXPECT_NE(ErrorOf({0xFF, 0xD8}), "(decoded)");
  for (bool progressive : {false, true}) {
    const std::vector<uint8_t> file = test::EncodeJpeg(Source(3), kWidth, kHeight, 3, 90, progressive);
    // A baseline picture whose scan data ends early decodes as far as it goes.
    if (!progressive) {
      EXPECT_EQ(DecodeJpeg(std::vector<uint8_t>(file.begin(), file.begin() + file.size() * 3 / 4)).Width(), kWidth);
    }
    for (size_t n = 0; n < file.size(); n += 37) ErrorOf(std::vector<uint8_t>(file.begin(), file.begin() + n));
    uint32_t state = progressive ? 7 : 99;
    for (int round = 0; round < 300; ++round) {
      std::vector<uint8_t> damaged = file;
      for (int i = 0; i <= round % 6; ++i) {
        state = state * 1103515245u + 12345u;
        damaged[2 + (state >> 8) % (damaged.size() - 2)] = static_cast<uint8_t>(state >> 24);
      }
      ErrorOf(damaged);
    }
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // libjpeg's warnings stay quiet
}

TEST(JpegDecode, EndlessScansAreCutOff) {
  // Repeating a progressive picture's last scan gives libjpeg only warnings, and each
  // scan is another pass over the picture: the decoder stops after a few hundred.
  const std::vector<uint8_t> file = test::EncodeJpeg(Source(3), kWidth, kHeight, 3, 90, true);
  size_t lastScan = 0;
  for (size_t i = 2; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDA) lastScan = i;
  ASSERT_NE(lastScan, 0u);
  std::vector<uint8_t> endless(file.begin(), file.begin() + lastScan);
  for (int i = 0; i < 600; ++i) endless.insert(endless.end(), file.begin() + lastScan, file.end() - 2);
  endless.insert(endless.end(), {0xFF, 0xD9});
  EXPECT_EQ(ErrorOf(endless), "JPEG image has too many scans");
}

TEST(JpegImage, KnowsItsSizeFromTheHeaderAndDecodesWhenFirstDrawn) {
  const TJPEGImage image(test::EncodeJpeg(Source(3), kWidth, kHeight, 3, 95));
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
  TBitmap24 stretched(2 * kWidth, 2 * kHeight);
  image.Clone()->StretchDraw(stretched, stretched.Bounds());
  EXPECT_EQ(stretched.Pixel(5, 7), image.Bitmap().Pixel(2, 3));

  // Empty data is an empty image that draws nothing; data that is no JPEG, or whose
  // frame header is impossible, fails at once.
  const TJPEGImage empty{std::vector<uint8_t>{}};
  EXPECT_TRUE(empty.Empty());
  empty.Draw(target, 0, 0);
  EXPECT_EQ(target.Pixel(0, 0), 0x0000FFu);
  std::vector<uint8_t> file = image.Data();
  file[FrameMarker(file) + 9] = 7;  // seven colour components
  EXPECT_THROW(TJPEGImage{file}, EInvalidGraphic);
  const std::vector<uint8_t> junk{1, 2, 3};
  EXPECT_THROW(TJPEGImage{junk}, EInvalidGraphic);
}

}  // namespace
}  // namespace scr
