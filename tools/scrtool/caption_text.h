#pragma once
// The text of a picture's own caption once its metadata is read: shared by `scrtool
// make --captions` (which reads the metadata with its library) and the web page's
// maker (which reads it from the JPEG's markers), so both write the same captions.
#include <string>
#include <string_view>
#include <vector>

namespace scr::tool {

// Metadata text as UTF-8, blanks around it removed: EXIF and IPTC text of older
// cameras and programs is often in a single-byte code page, read as Windows-1252.
std::string MetadataText(std::string text);

// The caption of a picture listed under `name`: the name without its extension.
std::string NameCaption(std::string_view name);

// The first of the texts that is not blank, as MetadataText gives it; empty when none
// is. The title's texts come in the order XMP dc:title, EXIF ImageDescription, XMP
// dc:description, IPTC caption.
std::string FirstCaption(const std::vector<std::string>& texts);

// A date and time as EXIF writes it ("2024:07:14 10:30:00"; the time may be missing)
// in the strftime format, month and day names in English; empty when the text is no
// such date.
std::string FormatExifDate(std::string_view exifDate, const std::string& format);

}  // namespace scr::tool
