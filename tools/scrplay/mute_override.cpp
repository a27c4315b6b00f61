#include "tools/scrplay/mute_override.h"

#include <filesystem>

#include "common/ascii.h"
#include "platform/sdl/sdl_files.h"
#include "setup/mute_setting.h"

namespace scr::play {

std::string TMutedProfile::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
  // The flows spell the path their way ("dir/\CONTROL.INI"); compare where it leads.
  const auto place = [](const std::string& path) {
    return std::filesystem::path(platform::sdl::PosixPath(path)).lexically_normal();
  };
  if (place(file) == place(controlIni_) &&
      AsciiLowerCase(section) == AsciiLowerCase(setup::kMuteSection) &&
      AsciiLowerCase(key) == AsciiLowerCase(setup::kMuteKey))
    return "1";
  return inner_.ReadString(file, section, key, defaultValue);
}

TMutedPlatform::TMutedPlatform(platform::TPlatform& inner, const std::string& saverPath)
    : inner_(inner), profile_(inner.Profile(), setup::ControlIniPath(saverPath)) {}

}  // namespace scr::play
