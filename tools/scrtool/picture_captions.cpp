#include "tools/scrtool/picture_captions.h"

#include <exiv2/exiv2.hpp>
#include <vips/vips8>

#include <mutex>

#include "common/ascii.h"
#include "tools/scrtool/caption_text.h"
#include "tools/media/image_library.h"

namespace scr::tool {

namespace {

// The x-default (or first) entry of an XMP language alternative, or the plain value.
std::string XmpText(const Exiv2::XmpData& xmp, const char* key) {
  const auto it = xmp.findKey(Exiv2::XmpKey(key));
  if (it == xmp.end()) return {};
  if (const auto* alt = dynamic_cast<const Exiv2::LangAltValue*>(&it->value())) {
    if (const auto d = alt->value_.find("x-default"); d != alt->value_.end()) return MetadataText(d->second);
    if (!alt->value_.empty()) return MetadataText(alt->value_.begin()->second);
    return {};
  }
  return MetadataText(it->toString());
}

std::string ExifText(const Exiv2::ExifData& exif, const char* key) {
  const auto it = exif.findKey(Exiv2::ExifKey(key));
  if (it == exif.end()) return {};
  return MetadataText(it->toString());
}

std::string IptcText(const Exiv2::IptcData& iptc, const char* key) {
  const auto it = iptc.findKey(Exiv2::IptcKey(key));
  return it == iptc.end() ? std::string() : MetadataText(it->toString());
}

std::string Title(const Exiv2::Image& image) {
  return FirstCaption({XmpText(image.xmpData(), "Xmp.dc.title"), ExifText(image.exifData(), "Exif.Image.ImageDescription"),
                       XmpText(image.xmpData(), "Xmp.dc.description"),
                       IptcText(image.iptcData(), "Iptc.Application2.Caption")});
}

// Exiv2 keeps process-wide state (its XMP toolkit) that is set up once.
void StartExiv2() {
  static std::once_flag once;
  std::call_once(once, [] {
    Exiv2::XmpParser::initialize();
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  });
}

// The image library's own EXIF fields, for formats the metadata library does not read
// (HEIF among them): "2024:07:14 10:30:00 (2024:07:14 10:30:00, ASCII, 20 components,
// 20 bytes)", the value before its description.
std::string VipsExifText(const std::string& path, const char* field) {
  media::StartImageLibrary();
  try {
    const vips::VImage image = vips::VImage::new_from_file(path.c_str());
    if (image.get_typeof(field) == 0) return {};
    std::string text = image.get_string(field);
    if (const size_t open = text.rfind(" ("); open != std::string::npos) text.resize(open);
    return MetadataText(text);
  } catch (const vips::VError&) {
    return {};
  }
}

}  // namespace

std::optional<TCaptionSource> ParseCaptionSource(std::string_view text) {
  const std::string word = AsciiLowerCase(std::string(text));
  if (word == "date") return TCaptionSource::Date;
  if (word == "title") return TCaptionSource::Title;
  if (word == "name") return TCaptionSource::Name;
  if (word == "none") return TCaptionSource::None;
  return std::nullopt;
}

std::string PictureCaption(const std::string& path, const std::string& name, TCaptionSource source,
                           const std::string& dateFormat) {
  switch (source) {
    case TCaptionSource::None:
      return {};
    case TCaptionSource::Name:
      return NameCaption(name);
    case TCaptionSource::Date:
    case TCaptionSource::Title:
      break;
  }
  StartExiv2();
  try {
    const auto image = Exiv2::ImageFactory::open(path);
    if (image.get() == nullptr) return {};
    image->readMetadata();
    if (source == TCaptionSource::Title) return Title(*image);
    const std::string date = ExifText(image->exifData(), "Exif.Photo.DateTimeOriginal");
    return date.empty() ? std::string() : FormatExifDate(date, dateFormat);
  } catch (const Exiv2::AnyError&) {
    // A format the metadata library does not know: the image library's EXIF fields.
  } catch (const std::exception&) {
    return {};  // metadata that cannot be read: no caption of its own
  }
  if (source == TCaptionSource::Title) return VipsExifText(path, "exif-ifd0-ImageDescription");
  const std::string date = VipsExifText(path, "exif-ifd2-DateTimeOriginal");
  return date.empty() ? std::string() : FormatExifDate(date, dateFormat);
}

}  // namespace scr::tool
