#include "tools/scrtool/picture_captions.h"

#include <exiv2/exiv2.hpp>
#include <vips/vips8>

#include <array>
#include <cstdio>
#include <ctime>
#include <locale.h>
#include <time.h>
#include <filesystem>
#include <mutex>

#include "common/ansi_text.h"
#include "common/ascii.h"
#include "tools/media/image_library.h"

namespace scr::tool {

namespace {

std::string Trimmed(std::string text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

// Metadata text as UTF-8: EXIF and IPTC text of older cameras and programs is often
// in a single-byte code page.
std::string AsUtf8(std::string text) {
  text = Trimmed(std::move(text));
  return IsValidUtf8(text) ? text : AnsiToUtf8(text);
}

// The x-default (or first) entry of an XMP language alternative, or the plain value.
std::string XmpText(const Exiv2::XmpData& xmp, const char* key) {
  const auto it = xmp.findKey(Exiv2::XmpKey(key));
  if (it == xmp.end()) return {};
  if (const auto* alt = dynamic_cast<const Exiv2::LangAltValue*>(&it->value())) {
    if (const auto d = alt->value_.find("x-default"); d != alt->value_.end()) return AsUtf8(d->second);
    if (!alt->value_.empty()) return AsUtf8(alt->value_.begin()->second);
    return {};
  }
  return AsUtf8(it->toString());
}

std::string ExifText(const Exiv2::ExifData& exif, const char* key) {
  const auto it = exif.findKey(Exiv2::ExifKey(key));
  if (it == exif.end()) return {};
  std::string text = it->toString();
  // ASCII values may carry their terminating zeros.
  if (const size_t zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
  return AsUtf8(text);
}

std::string IptcText(const Exiv2::IptcData& iptc, const char* key) {
  const auto it = iptc.findKey(Exiv2::IptcKey(key));
  return it == iptc.end() ? std::string() : AsUtf8(it->toString());
}

std::string Title(const Exiv2::Image& image) {
  for (std::string text : {XmpText(image.xmpData(), "Xmp.dc.title"),
                           ExifText(image.exifData(), "Exif.Image.ImageDescription"),
                           XmpText(image.xmpData(), "Xmp.dc.description"),
                           IptcText(image.iptcData(), "Iptc.Application2.Caption")})
    if (!text.empty()) return text;
  return {};
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
    return AsUtf8(text);
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

std::string FormatExifDate(std::string_view exifDate, const std::string& format) {
  std::tm tm{};
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  const std::string text(exifDate.substr(0, 19));
  const int fields = std::sscanf(text.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second);
  if (fields != 3 && fields != 6) return {};
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60 ||
      hour < 0 || minute < 0 || second < 0)
    return {};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  // Fills in the day of the week and of the year, for %A and %j.
  std::tm normal = tm;
  normal.tm_isdst = -1;
  if (timegm(&normal) != -1) {
    tm.tm_wday = normal.tm_wday;
    tm.tm_yday = normal.tm_yday;
  }
  // The C locale: month and day names in English, whatever the environment says.
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  std::array<char, 512> out{};
  const size_t n = strftime_l(out.data(), out.size(), format.c_str(), &tm, c);
  return std::string(out.data(), n);
}

std::string PictureCaption(const std::string& path, const std::string& name, TCaptionSource source,
                           const std::string& dateFormat) {
  switch (source) {
    case TCaptionSource::None:
      return {};
    case TCaptionSource::Name:
      return AsUtf8(std::filesystem::path(name).stem().string());
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
