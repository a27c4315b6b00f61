#include "setup/mute_setting.h"

#include "app/paths.h"
#include "common/errors.h"
#include "common/int_convert.h"
#include "setup/setup_paths.h"

namespace scr::setup {

std::string ControlIniPath(std::string_view executablePath) {
  return app::JoinPath(ExtractFilePath(executablePath), kControlIniName);
}

bool ReadStoredMute(platform::TPlatform& platform, const std::string& executablePath, bool fallback) {
  return ReadStoredMute(platform.Profile(), executablePath, fallback);
}

bool ReadStoredMute(platform::IProfile& profile, const std::string& executablePath, bool fallback) {
  const std::string text = profile.ReadString(ControlIniPath(executablePath), kMuteSection, kMuteKey, "");
  const std::optional<int32_t> value = TryStrToInt(text);
  return value ? *value != 0 : fallback;
}

void WriteStoredMute(platform::TPlatform& platform, const std::string& executablePath, bool muted) {
  const std::string ini = ControlIniPath(executablePath);
  if (!platform.Profile().WriteString(ini, kMuteSection, kMuteKey, muted ? "1" : "0"))
    throw Exception("Unable to write to " + ini);
}

}  // namespace scr::setup
