// Image streams: "Picture.Data" through the picture decoders, the image's other
// properties, and the errors a picture raises inside the stream.
#include <gtest/gtest.h>

#include "package/bmp_codec.h"
#include "package/component_reader.h"
#include "package/component_writer.h"
#include "package/image.h"
#include "package/picture_data.h"
#include "reader_helpers.h"
#include "stream_bytes.h"

namespace scr {
namespace {

using test::TBytes;
using test::TOwnedStream;

TBitmap24 Sample() {
  TBitmap24 b = test::Filled(3, 2, 0x000000FF);
  b.SetPixel(2, 1, 0x00FF0000);
  return b;
}

std::unique_ptr<TImage> ReadImage(const std::vector<uint8_t>& bytes) {
  TOwnedStream s(bytes);
  return ReadComponentAs<TImage>(s);
}

TEST(ImageStream, BitmapPictureDecodes) {
  const auto image = ReadImage(BuildImageStream("TBitmap", EncodeBmp24(Sample())));
  ASSERT_NE(image->Picture().Graphic(), nullptr);
  const auto* bitmap = dynamic_cast<const TBitmapGraphic*>(image->Picture().Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Bitmap(), Sample());
  std::unique_ptr<TGraphic> taken = image->Picture().TakeGraphic();
  EXPECT_NE(taken, nullptr);
  EXPECT_EQ(image->Picture().Graphic(), nullptr);
}

TEST(ImageStream, EmptyAndUnknownPictures) {
  const auto jpeg = ReadImage(BuildImageStream("TJPEGImage", {}));
  EXPECT_TRUE(jpeg->Picture().Empty());
  const auto unknown = ReadImage(BuildImageStream("TPngImage", std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(unknown->Picture().Graphic(), nullptr);
  // Class names of pictures compare exactly.
  const auto lower = ReadImage(BuildImageStream("tbitmap", EncodeBmp24(Sample())));
  EXPECT_EQ(lower->Picture().Graphic(), nullptr);
}

TEST(ImageStream, OtherImagePropertiesAreReadAndIgnored) {
  const std::vector<uint8_t> data = EncodePictureData("TBitmap", EncodeBmp24(Sample()));
  const auto image = ReadImage(TBytes()
                                   .Header("TImage", "Image1")
                                   .S("Left")({2, 8})
                                   .S("Top")({3, 0x00, 0x01})
                                   .S("Width")({2, 3})
                                   .S("Height")({2, 2})
                                   .S("Stretch")({9})
                                   .S("Align")({7})
                                   .S("alClient")
                                   .S("Picture.Data")({10})
                                   .U32(static_cast<uint32_t>(data.size()))
                                   .Append(data)
                                   .S("OnClick")({7})
                                   .S("Image1Click")
                                   .Close()
                                   .Take());
  EXPECT_EQ(image->Name(), "Image1");
  EXPECT_EQ(image->Left(), 8);
  EXPECT_EQ(image->Top(), 256);
  EXPECT_TRUE(image->Stretch());
  ASSERT_NE(image->Picture().Graphic(), nullptr);
  EXPECT_EQ(image->Picture().Graphic()->Width(), 3);
}

TEST(ImageStream, PictureErrorsAreWrapped) {
  const std::vector<uint8_t> notBitmap = {'X', 'X', 0, 0, 0, 0};
  EXPECT_EQ(test::CreateError(BuildImageStream("TBitmap", notBitmap)),
            "Error reading TImage.Data: Bitmap image is not valid");
  TOwnedStream s(BuildImageStream("TBitmap", notBitmap));
  EXPECT_THROW(ReadComponentStream(s), EInvalidGraphic);
  // Picture data must be a byte block.
  EXPECT_EQ(test::CreateError(TBytes().Header("TImage").S("Picture.Data")({6}).S("x").Close().Take()),
            "Error reading TImage.Data: Invalid property value");
  EXPECT_EQ(test::CreateError(TBytes().Header("TImage", "Pic").S("Picture")({2, 1}).Close().Take()),
            "Error reading Pic.Picture: Invalid property value");
  // An empty block holds not even the class name.
  EXPECT_EQ(test::CreateError(TBytes().Header("TImage").S("Picture.Data")({10}).U32(0).Close().Take()),
            "Error reading TImage.Data: Stream read error");
  // A picture length beyond its block.
  EXPECT_EQ(test::CreateError(TBytes().Header("TImage").S("Picture.Data")({10}).U32(12).S("TBitmap").U32(100).Close().Take()),
            "Error reading TImage.Data: Stream read error");
}

}  // namespace
}  // namespace scr
