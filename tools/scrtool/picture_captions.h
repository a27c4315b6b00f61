#pragma once
// Captions from the pictures themselves, for `make --captions`: the date a photo was
// taken, its own title or description, or its file name.
#include <optional>
#include <string>
#include <string_view>

#include "tools/scrtool/caption_text.h"

namespace scr::tool {

enum class TCaptionSource { None, Date, Title, Name };

inline constexpr const char* kDefaultDateFormat = "%-d %B %Y";  // 14 July 2024

// "date", "title", "name" or "none"; nothing for another word.
std::optional<TCaptionSource> ParseCaptionSource(std::string_view text);

// The caption of the picture file at `path`, packaged under `name`:
// - Date: EXIF DateTimeOriginal written with the strftime `dateFormat` (month and day
//   names in English);
// - Title: the first non-blank of XMP dc:title, EXIF ImageDescription, XMP
//   dc:description and the IPTC caption;
// - Name: `name` without its extension.
// Empty when the picture has none, or its data cannot be read. Text is UTF-8 (text
// that is not is read as Windows-1252).
std::string PictureCaption(const std::string& path, const std::string& name, TCaptionSource source,
                           const std::string& dateFormat = kDefaultDateFormat);

}  // namespace scr::tool
