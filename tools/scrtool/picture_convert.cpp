#include "tools/scrtool/picture_convert.h"

#include <vips/vips8>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "common/errors.h"
#include "package/picture_data.h"
#include "tools/media/image_library.h"

namespace scr::tool {

using vips::VImage;

namespace {

constexpr int kNoLimit = VIPS_MAX_COORD;

// A libvips byte blob, unreferenced when done; wraps memory it does not own or owns
// memory the library allocated.
struct TBlob {
  VipsBlob* blob;
  ~TBlob() { vips_area_unref(VIPS_AREA(blob)); }
  std::vector<uint8_t> Bytes() const {
    size_t size = 0;
    const auto* data = static_cast<const uint8_t*>(vips_blob_get(blob, &size));
    return {data, data + size};
  }
};

std::runtime_error Failure(const std::string& name, const std::string& why) {
  return std::runtime_error(name + ": cannot read the picture: " + media::ImageLibraryReason(why));
}

int Orientation(const VImage& image) {
  return image.get_typeof(VIPS_META_ORIENTATION) != 0 ? image.get_int(VIPS_META_ORIENTATION) : 1;
}

bool FitsLimits(const VImage& image, const TPictureOptions& o) {
  return (o.maxWidth <= 0 || image.width() <= o.maxWidth) && (o.maxHeight <= 0 || image.height() <= o.maxHeight);
}

// A JPEG the runtime shows right as it is: upright, within the size limits, in plain
// 8-bit RGB or grey.
bool JpegNeedsNothing(const std::vector<uint8_t>& bytes, const TPictureOptions& o) {
  const VImage header = VImage::new_from_buffer(bytes.data(), bytes.size(), "");
  const VipsInterpretation in = header.interpretation();
  const bool plainColours = header.format() == VIPS_FORMAT_UCHAR &&
                            ((header.bands() == 3 && in == VIPS_INTERPRETATION_sRGB) ||
                             (header.bands() == 1 && in == VIPS_INTERPRETATION_B_W));
  return plainColours && Orientation(header) == 1 && FitsLimits(header, o);
}

// Decoded, upright, shrunk to the limits (Lanczos, keeping the aspect ratio), in sRGB.
VImage UprightFitted(const std::vector<uint8_t>& bytes, int maxWidth, int maxHeight) {
  TBlob in{vips_blob_new(nullptr, bytes.data(), bytes.size())};
  VImage image = VImage::thumbnail_buffer(in.blob, maxWidth > 0 ? maxWidth : kNoLimit,
                                          VImage::option()
                                              ->set("height", maxHeight > 0 ? maxHeight : kNoLimit)
                                              ->set("size", VIPS_SIZE_DOWN));
  return image.colourspace(VIPS_INTERPRETATION_sRGB);
}

VImage Flattened(VImage image, TRgb background) {
  if (image.has_alpha())
    image = image.flatten(VImage::option()->set(
        "background", std::vector<double>{double(background.r), double(background.g), double(background.b)}));
  return image.cast(VIPS_FORMAT_UCHAR);
}

}  // namespace

TPackedPicture PackPicture(std::vector<uint8_t> bytes, const TContentType& type, const std::string& name,
                           const TPictureOptions& options) {
  media::StartImageLibrary();
  const bool runtimeReads = !type.pictureClass.empty();
  if (options.keepOriginals) {
    if (!runtimeReads)
      throw std::runtime_error(name + " is a " + type.format +
                               " picture; --keep-originals packages only JPEG, BMP, ICO and metafile pictures as they "
                               "are (leave it out to convert the picture)");
    return {type.pictureClass, std::move(bytes), false};
  }
  try {
    if (runtimeReads && (type.pictureClass != "TJPEGImage" || JpegNeedsNothing(bytes, options)))
      return {type.pictureClass, std::move(bytes), false};
    const VImage image = Flattened(UprightFitted(bytes, options.maxWidth, options.maxHeight), options.background);
    const TBlob jpeg{image.jpegsave_buffer(VImage::option()->set("Q", options.quality)->set("strip", true))};
    return {"TJPEGImage", jpeg.Bytes(), true};
  } catch (const vips::VError& e) {
    throw Failure(name, e.what());
  }
}

std::optional<std::string> JpegDamage(std::span<const uint8_t> bytes) {
  media::StartImageLibrary();
  try {
    const VImage image =
        VImage::new_from_buffer(bytes.data(), bytes.size(), "", VImage::option()->set("fail_on", VIPS_FAIL_ON_WARNING));
    image.avg();  // decodes every pixel
    return std::nullopt;
  } catch (const vips::VError& e) {
    return media::ImageLibraryReason(e.what());
  }
}

TBitmap24 DecodeAnyPicture(std::vector<uint8_t> bytes, const std::string& name) {
  const TContentType type = DetectContent(std::span(bytes).first(std::min(bytes.size(), kContentHeadSize)));
  if (type.kind != TContentKind::Picture) throw std::runtime_error(name + ": not a picture the maker knows (by its content)");
  TPictureOptions options;
  options.maxWidth = options.maxHeight = 0;
  const TPackedPicture packed = PackPicture(std::move(bytes), type, name, options);
  try {
    const std::unique_ptr<TGraphic> graphic = DecodePictureData(EncodePictureData(packed.pictureClass, packed.bytes));
    if (graphic == nullptr || graphic->Empty()) throw std::runtime_error(name + ": the picture is empty");
    TBitmap24 bitmap(graphic->Width(), graphic->Height());
    graphic->Draw(bitmap, 0, 0);
    return bitmap;
  } catch (const Exception& e) {
    throw std::runtime_error(name + ": " + e.what());
  }
}

}  // namespace scr::tool
