#include "platform/file_profile.h"

#include "common/ansi_text.h"
#include "common/profile_text.h"

namespace scr::platform {

std::optional<std::string> TFileProfile::Load(const std::string& file) {
  try {
    std::unique_ptr<TStream> in = files_.OpenRead(file);
    std::string text(static_cast<size_t>(in->Size()), '\0');
    text.resize(in->Read(std::span<uint8_t>(reinterpret_cast<uint8_t*>(text.data()), text.size())));
    return text;
  } catch (const Exception&) {
    return std::nullopt;
  }
}

std::string TFileProfile::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
  const std::optional<std::string> text = Load(file);
  const std::string value =
      ReadProfileString(text ? *text : std::string(), section, key, defaultValue, kProfileStringBuffer);
  // The program's text is UTF-8: a file written in the single-byte code page is read
  // through it, one already in UTF-8 as it is.
  return IsValidUtf8(value) ? value : AnsiToUtf8(value);
}

bool TFileProfile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
  std::optional<std::string> text;
  if (files_.Exists(file)) {
    // A file that is there but cannot be read must not be replaced by one key.
    text = Load(file);
    if (!text) return false;
  }
  const std::string updated = WriteProfileValue(text ? *text : std::string(), section, key, value);
  try {
    std::unique_ptr<TWriteStream> out = files_.Create(file);
    out->Write(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(updated.data()), updated.size()));
  } catch (const Exception&) {
    return false;
  }
  return true;
}

}  // namespace scr::platform
