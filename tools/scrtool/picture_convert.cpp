#include "tools/scrtool/picture_convert.h"

#include <vips/vips8>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "common/errors.h"
#include "package/jpeg_image.h"
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

EBadPicture Failure(const std::string& name, const std::string& why) {
  return EBadPicture(name + ": cannot read the picture: " + media::ImageLibraryReason(why));
}

int Orientation(const VImage& image) {
  return image.get_typeof(VIPS_META_ORIENTATION) != 0 ? image.get_int(VIPS_META_ORIENTATION) : 1;
}

bool FitsLimits(int width, int height, const TPictureOptions& o) {
  return (o.maxWidth <= 0 || width <= o.maxWidth) && (o.maxHeight <= 0 || height <= o.maxHeight);
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// An ICC profile whose description names sRGB: the colours are sRGB already.
bool IsSrgbProfile(std::span<const uint8_t> icc) {
  if (icc.size() < 132) return false;
  const uint32_t tags = BigEndian32(&icc[128]);
  for (uint32_t t = 0; t < tags && 132 + 12 * (t + 1) <= icc.size(); ++t) {
    const uint8_t* entry = &icc[132 + 12 * t];
    if (std::memcmp(entry, "desc", 4) != 0) continue;
    const uint32_t offset = BigEndian32(entry + 4), size = BigEndian32(entry + 8);
    if (offset > icc.size() || size > icc.size() - offset) return false;
    std::string text;
    for (uint32_t i = 0; i < size; ++i)
      if (icc[offset + i] != 0) text += static_cast<char>(icc[offset + i]);  // ASCII and UTF-16 alike
    return text.find("sRGB") != std::string::npos;
  }
  return false;
}

bool HasForeignProfile(const VImage& image) {
  if (image.get_typeof(VIPS_META_ICC_NAME) == 0) return false;
  size_t size = 0;
  const auto* data = static_cast<const uint8_t*>(image.get_blob(VIPS_META_ICC_NAME, &size));
  return !IsSrgbProfile(std::span(data, size));
}

// A JPEG the runtime shows right as it is: upright, within the size limits, in plain
// 8-bit RGB or grey without a colour profile of another colour space.
bool JpegNeedsNothing(const std::vector<uint8_t>& bytes, const TPictureOptions& o) {
  const VImage header = VImage::new_from_buffer(bytes.data(), bytes.size(), "");
  const VipsInterpretation in = header.interpretation();
  const bool plainColours = header.format() == VIPS_FORMAT_UCHAR &&
                            ((header.bands() == 3 && in == VIPS_INTERPRETATION_sRGB) ||
                             (header.bands() == 1 && in == VIPS_INTERPRETATION_B_W));
  return plainColours && !HasForeignProfile(header) && Orientation(header) == 1 &&
         FitsLimits(header.width(), header.height(), o);
}

vips::VOption* FitOptions(int maxHeight) {
  return VImage::option()->set("height", maxHeight > 0 ? maxHeight : kNoLimit)->set("size", VIPS_SIZE_DOWN);
}

// Decoded, upright, shrunk to the limits (Lanczos, keeping the aspect ratio), in sRGB
// through the picture's colour profile (CMYK without one through a standard profile).
VImage UprightFitted(const std::vector<uint8_t>& bytes, int maxWidth, int maxHeight) {
  const VImage header = VImage::new_from_buffer(bytes.data(), bytes.size(), "");
  const bool manage = HasForeignProfile(header) || header.interpretation() == VIPS_INTERPRETATION_CMYK;
  if (manage) {
    // The colour transform first, as libvips' own icc_transform does it, then the
    // shrinking: the thumbnail's combined path gives slightly other colours for CMYK.
    VImage image = VImage::new_from_buffer(bytes.data(), bytes.size(), "")
                       .icc_transform("srgb", VImage::option()
                                                  ->set("embedded", true)
                                                  ->set("input_profile", header.interpretation() ==
                                                                                 VIPS_INTERPRETATION_CMYK
                                                                             ? "cmyk"
                                                                             : "srgb"))
                       .autorot();
    image = image.thumbnail_image(maxWidth > 0 ? maxWidth : kNoLimit, FitOptions(maxHeight));
    return image.colourspace(VIPS_INTERPRETATION_sRGB);
  }
  TBlob in{vips_blob_new(nullptr, bytes.data(), bytes.size())};
  VImage image = VImage::thumbnail_buffer(in.blob, maxWidth > 0 ? maxWidth : kNoLimit, FitOptions(maxHeight));
  return image.colourspace(VIPS_INTERPRETATION_sRGB);
}

VImage Flattened(VImage image, TRgb background) {
  if (image.has_alpha())
    image = image.flatten(VImage::option()->set(
        "background", std::vector<double>{double(background.r), double(background.g), double(background.b)}));
  return image.cast(VIPS_FORMAT_UCHAR);
}

TPackedPicture Jpeg(const VImage& image, const TPictureOptions& options) {
  const TBlob jpeg{image.jpegsave_buffer(VImage::option()->set("Q", options.quality)->set("strip", true))};
  return {"TJPEGImage", jpeg.Bytes(), true, {}};
}

// A picture the runtime reads itself (JPEG, bitmap, icon, metafile) decoded with the
// runtime's own decoders: a damaged one fails here, not in the saver.
std::unique_ptr<TGraphic> DecodeAsRuntime(const std::vector<uint8_t>& bytes, const std::string& pictureClass,
                                          const std::string& name) {
  try {
    std::unique_ptr<TGraphic> graphic = DecodePictureData(EncodePictureData(pictureClass, bytes));
    if (graphic == nullptr || graphic->Empty()) throw EBadPicture(name + ": the picture is empty");
    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(graphic.get())) {
      jpeg->Bitmap();
      if (const auto damage = JpegDamage(bytes)) throw EBadPicture(name + ": the JPEG is damaged: " + *damage);
    }
    return graphic;
  } catch (const Exception& e) {
    throw EBadPicture(name + ": cannot read the picture: " + e.what());
  }
}

// A bitmap or icon larger than the limits: drawn by the runtime's decoder onto the
// background, then shrunk like any picture.
TPackedPicture ShrunkGraphic(const TGraphic& graphic, const TPictureOptions& options) {
  TBitmap24 bitmap;
  bitmap.SetSize(graphic.Width(), graphic.Height(),
                 uint32_t(options.background.b) << 16 | uint32_t(options.background.g) << 8 | options.background.r);
  graphic.Draw(bitmap, 0, 0);
  const VImage image = media::ImageOf(bitmap).thumbnail_image(options.maxWidth > 0 ? options.maxWidth : kNoLimit,
                                                              FitOptions(options.maxHeight));
  return Jpeg(image.cast(VIPS_FORMAT_UCHAR), options);
}

TPackedPicture AsRuntimeReads(std::vector<uint8_t> bytes, const TContentType& type, const std::string& name,
                              const TPictureOptions& options) {
  const std::unique_ptr<TGraphic> graphic = DecodeAsRuntime(bytes, type.pictureClass, name);
  if (FitsLimits(graphic->Width(), graphic->Height(), options)) return {type.pictureClass, std::move(bytes), false, {}};
  if (type.pictureClass != "TMetafile") return ShrunkGraphic(*graphic, options);
  try {  // a metafile: drawn by the image library where it can
    const VImage image = Flattened(UprightFitted(bytes, options.maxWidth, options.maxHeight), options.background);
    return Jpeg(image, options);
  } catch (const vips::VError&) {
    TPackedPicture kept{type.pictureClass, std::move(bytes), false, {}};
    kept.warnings.push_back(name + ": the metafile is " + std::to_string(graphic->Width()) + "x" +
                            std::to_string(graphic->Height()) +
                            ", larger than --max-size, but the image library cannot draw it; it goes in at its own "
                            "size (the saver scales it to the screen)");
    return kept;
  }
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
    DecodeAsRuntime(bytes, type.pictureClass, name);
    return {type.pictureClass, std::move(bytes), false, {}};
  }
  try {
    if (type.pictureClass == "TJPEGImage" && JpegNeedsNothing(bytes, options)) {
      DecodeAsRuntime(bytes, type.pictureClass, name);
      return {type.pictureClass, std::move(bytes), false, {}};
    }
    if (runtimeReads && type.pictureClass != "TJPEGImage") return AsRuntimeReads(std::move(bytes), type, name, options);
    return Jpeg(Flattened(UprightFitted(bytes, options.maxWidth, options.maxHeight), options.background), options);
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
