#include "tools/scrplay/saver_check.h"

#include "common/errors.h"
#include "package/package_reader.h"

namespace scr::play {

std::unique_ptr<TSSFileLocations> CheckSaver(platform::IFileSystem& files, const std::string& path) {
  std::unique_ptr<TStream> file = files.OpenRead(path);
  std::unique_ptr<TSSFileLocations> settings = ReadSettingsRecord(*file);
  if (!settings) throw Exception(kNotASaverFile);
  for (int32_t i = 0; i < settings->PicCount(); ++i) ReadPictureAt(*file, settings->PicPosition(i));
  return settings;
}

std::string InfoText(const TSSFileLocations& s, bool muted) {
  std::string out;
  const auto line = [&out](const char* name, const std::string& value) { out += std::string(name) + ": " + value + "\n"; };
  line("Title", s.Title());
  line("Author", s.Author());
  line("E-mail", s.Email());
  line("Web", s.Web());
  line("Pictures", std::to_string(s.PicCount()));
  line("Sounds", std::to_string(s.SndCount()));
  line("Movies", std::to_string(s.FlashCount()));
  line("Muted", muted ? "yes" : "no");
  return out;
}

}  // namespace scr::play
