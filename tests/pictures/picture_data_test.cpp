// The picture data block: class name, then the class's data; each class decodes to
// its graphic, and malformed blocks fail with the stream's or the picture's error.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/errors.h"
#include "package/bmp_codec.h"
#include "package/icon_image.h"
#include "package/jpeg_image.h"
#include "package/metafile_image.h"
#include "package/picture_data.h"
#include "tests/pictures/picture_builders.h"

namespace scr {
namespace {

std::vector<uint8_t> Block(std::string_view name, std::vector<uint8_t> rest) {
  std::vector<uint8_t> out(1 + name.size() + rest.size());
  out[0] = static_cast<uint8_t>(name.size());
  std::copy(name.begin(), name.end(), out.begin() + 1);
  std::copy(rest.begin(), rest.end(), out.begin() + 1 + static_cast<std::ptrdiff_t>(name.size()));
  return out;
}

std::vector<uint8_t> WithLength(uint32_t n, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  test::Put32(out, n);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

template <class E>
std::string ErrorOf(const std::vector<uint8_t>& block) {
  try {
    DecodePictureData(block);
  } catch (const E& e) {
    return e.what();
  }
  return "(no error)";
}

TBitmap24 SmallBitmap() {
  TBitmap24 b(3, 2);
  b.SetPixel(0, 0, 0x0000FF);
  b.SetPixel(2, 1, 0x00FF00);
  return b;
}

using test::EmfHeader;
using test::PlaceableWmf;

TEST(PictureData, EachClassDecodesToItsGraphic) {
  const std::vector<uint8_t> jpeg = test::EncodeJpeg(std::vector<uint8_t>(8 * 5 * 3, 128), 8, 5, 3, 90);
  const std::vector<uint8_t> ico = test::MakeIco({test::TIconEntry{
      2, 2, 24, test::MakeIconDib(2, 2, 24, {}, [](int, int) { return 0xFFFFFFu; }, [](int, int) { return false; })}});
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    int width, height;
  };
  const Case cases[] = {
      {"TBitmap", EncodeBmp24(SmallBitmap()), 3, 2},
      {"TJPEGImage", jpeg, 8, 5},
      {"TIcon", ico, 2, 2},
      {"TMetafile", EmfHeader(2540, 1270, 99, 49), 81, 41},  // 25.4 mm at 1024 pixels per 320 mm
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> block = EncodePictureData(c.name, c.file);
    block.insert(block.end(), {1, 2, 3});  // bytes after the file are ignored
    const auto graphic = DecodePictureData(block);
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->ClassName(), c.name);
    EXPECT_EQ(graphic->Width(), c.width);
    EXPECT_EQ(graphic->Height(), c.height);
  }
  EXPECT_EQ(static_cast<const TBitmapGraphic&>(*DecodePictureData(EncodePictureData("TBitmap", cases[0].file))).Bitmap(),
            SmallBitmap());
  EXPECT_EQ(static_cast<const TJPEGImage&>(*DecodePictureData(EncodePictureData("TJPEGImage", jpeg))).Data(), jpeg);
  // The metafile's length counts its own 4 bytes.
  EXPECT_EQ(EncodePictureData("TMetafile", cases[3].file),
            Block("TMetafile", WithLength(static_cast<uint32_t>(cases[3].file.size() + 4), cases[3].file)));
}

TEST(PictureData, ZeroLengthsGiveEmptyPicturesOfTheirClass) {
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"TBitmap", WithLength(0, {})}, {"TJPEGImage", WithLength(0, {})}, {"TIcon", {}},
      {"TMetafile", WithLength(0, {})}, {"TMetafile", WithLength(4, {})}, {"TMetafile", WithLength(0x80000000u, {})},
  };
  for (const auto& [name, rest] : cases) {
    const auto graphic = DecodePictureData(Block(name, rest));
    ASSERT_NE(graphic, nullptr) << name;
    EXPECT_EQ(graphic->ClassName(), name);
    EXPECT_TRUE(graphic->Empty()) << name;
  }
}

TEST(PictureData, LengthsPastTheBlockAndBadDataFail) {
  const std::vector<uint8_t> bmp = EncodeBmp24(SmallBitmap());
  EXPECT_EQ(ErrorOf<EReadError>(Block("TBitmap", WithLength(static_cast<uint32_t>(bmp.size() + 1), bmp))),
            "Stream read error");
  EXPECT_EQ(ErrorOf<EReadError>(Block("TBitmap", WithLength(0xFFFFFFF0u, bmp))), "Stream read error");
  EXPECT_EQ(ErrorOf<EReadError>(Block("TBitmap", {0, 0})), "Stream read error");
  EXPECT_EQ(ErrorOf<EReadError>(Block("TJPEGImage", WithLength(100, {0xFF, 0xD8}))), "Stream read error");
  EXPECT_EQ(ErrorOf<EReadError>(Block("TMetafile", WithLength(50, {1, 2}))), "Stream read error");
  EXPECT_EQ(ErrorOf<EInvalidGraphic>(Block("TBitmap", WithLength(4, {'X', 'M', 0, 0}))), "Bitmap image is not valid");
  EXPECT_NE(ErrorOf<EInvalidGraphic>(Block("TJPEGImage", WithLength(3, {1, 2, 3}))), "(no error)");
}

TEST(PictureData, ClassNamesCompareExactlyAndUnknownOnesGiveNoPicture) {
  const std::vector<uint8_t> bmp = EncodeBmp24(SmallBitmap());
  EXPECT_EQ(DecodePictureData(Block("tbitmap", WithLength(static_cast<uint32_t>(bmp.size()), bmp))), nullptr);
  EXPECT_EQ(DecodePictureData(Block("TPngImage", {1, 2, 3})), nullptr);
  EXPECT_EQ(DecodePictureData(Block("", {})), nullptr);
  EXPECT_EQ(DecodePictureData(Block(std::string(63, 'A'), {})), nullptr);
  // A name over 63 bytes, or one the block cuts off, is a damaged stream.
  EXPECT_EQ(ErrorOf<EReadError>(Block(std::string(64, 'A'), {})), "Stream read error");
  EXPECT_EQ(ErrorOf<EReadError>({7, 'T', 'B', 'i'}), "Stream read error");
  EXPECT_EQ(ErrorOf<EReadError>({}), "Stream read error");
  EXPECT_THROW(EncodePictureData(std::string(64, 'A'), {}), std::invalid_argument);
  EXPECT_EQ(EncodePictureData("TOther", std::vector<uint8_t>{9}), Block("TOther", {9}));
}

TEST(Metafile, SizesFromTheirHeadersAndBadHeadersRefused) {
  EXPECT_EQ(TMetafile(PlaceableWmf(1440, 720, 1440)).Width(), 96);
  EXPECT_EQ(TMetafile(PlaceableWmf(1440, 720, 1440)).Height(), 48);
  EXPECT_FALSE(TMetafile(PlaceableWmf(1440, 720, 1440)).Enhanced());
  const std::vector<uint8_t> placeable = PlaceableWmf(10, 10, 96);
  EXPECT_TRUE(TMetafile(std::vector<uint8_t>(placeable.begin() + 22, placeable.end())).Empty());  // no size stated
  // Without a usable reference device the pixel bounds (inclusive) count.
  std::vector<uint8_t> emf = EmfHeader(2540, 1270, 99, 49);
  test::Set32(emf, 80, 0);
  EXPECT_EQ(TMetafile(emf).Width(), 100);
  EXPECT_EQ(TMetafile(emf).Height(), 50);

  const auto error = [](std::vector<uint8_t> data) -> std::string {
    try {
      TMetafile m(std::move(data));
    } catch (const EInvalidGraphic& e) {
      return e.what();
    }
    return "(no error)";
  };
  EXPECT_EQ(error({1, 2, 3, 4, 5}), kMetafileInvalid);
  EXPECT_EQ(error(PlaceableWmf(100, 100, 0)), kMetafileInvalid);
  EXPECT_EQ(error(PlaceableWmf(32767, 10, 1)), kMetafileInvalid);  // 3 million pixels wide
  EXPECT_EQ(error(EmfHeader(2000000000, 100, 0, 0)), kMetafileInvalid);
  emf[0] = 2;  // the signature without a header record
  EXPECT_EQ(error(emf), kMetafileInvalid);
}

TEST(Metafile, DrawingGoesThroughTheRegisteredRenderer) {
  const TMetafile metafile(EmfHeader(2540, 1270, 99, 49));
  TBitmap24 target(100, 100);
  try {
    metafile.Draw(target, 0, 0);
    FAIL() << "drew without a renderer";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Metafile drawing is not available");
  }
  TRect seen;
  SetMetafileRenderer([&](const TMetafile& m, TBitmap24& dst, const TRect& r) {
    seen = r;
    EXPECT_TRUE(m.Enhanced());
    dst.FillRect(r, 0x00FF00);
  });
  metafile.Draw(target, 5, 6);
  EXPECT_EQ(seen, (TRect{5, 6, 86, 47}));
  EXPECT_EQ(target.Pixel(5, 6), 0x00FF00u);
  metafile.Clone()->StretchDraw(target, TRect{0, 0, 10, 10});
  EXPECT_EQ(seen, (TRect{0, 0, 10, 10}));
  TMetafile().Draw(target, 0, 0);  // an empty metafile draws nothing
  EXPECT_EQ(seen, (TRect{0, 0, 10, 10}));
  SetMetafileRenderer(nullptr);
  EXPECT_THROW(metafile.Draw(target, 0, 0), EInvalidGraphic);
}

TEST(PictureData, RandomBlocksNeverCrash) {
  const std::vector<std::vector<uint8_t>> seeds = {
      EncodePictureData("TBitmap", EncodeBmp24(SmallBitmap())),
      EncodePictureData("TMetafile", EmfHeader(2540, 1270, 99, 49)),
      EncodePictureData("TMetafile", PlaceableWmf(1440, 720, 1440)),
  };
  uint32_t state = 5;
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> block = seeds[round % seeds.size()];
    for (int i = 0; i < 1 + round % 4; ++i) {
      state = state * 1103515245u + 12345u;
      block[(state >> 8) % block.size()] = static_cast<uint8_t>(state >> 24);
    }
    try {
      DecodePictureData(block);
    } catch (const EReadError&) {
    } catch (const EInvalidGraphic&) {
    }
  }
}

}  // namespace
}  // namespace scr
