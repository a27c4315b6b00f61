#pragma once
// --mute: the platform as it is, except that the stored mute choice beside the saver
// reads as muted.
#include <string>

#include "platform/platform.h"

namespace scr::play {

// A profile that answers "1" for the mute key of the saver's CONTROL.INI and passes
// everything else to the real one.
class TMutedProfile : public platform::IProfile {
 public:
  TMutedProfile(platform::IProfile& inner, std::string controlIni) : inner_(inner), controlIni_(std::move(controlIni)) {}
  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    return inner_.WriteString(file, section, key, value);
  }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }

 private:
  platform::IProfile& inner_;
  std::string controlIni_;
};

// Every service of the inner platform, the profile muted.
class TMutedPlatform : public platform::TPlatform {
 public:
  TMutedPlatform(platform::TPlatform& inner, const std::string& saverPath);
  std::string_view BackendName() const override { return inner_.BackendName(); }
  platform::IFileSystem& Files() override { return inner_.Files(); }
  platform::ISystem& System() override { return inner_.System(); }
  platform::IApplication& Application() override { return inner_.Application(); }
  platform::IWindowing& Windowing() override { return inner_.Windowing(); }
  platform::IProfile& Profile() override { return profile_; }
  platform::IShell& Shell() override { return inner_.Shell(); }
  platform::IForms& Forms() override { return inner_.Forms(); }
  platform::IScreen& Screen() override { return inner_.Screen(); }
  platform::IMedia& Media() override { return inner_.Media(); }
  platform::IMovieControls& Movies() override { return inner_.Movies(); }
  platform::IMessageDialogs& Dialogs() override { return inner_.Dialogs(); }
  IHookHost& Hooks() override { return inner_.Hooks(); }

 private:
  platform::TPlatform& inner_;
  TMutedProfile profile_;
};

}  // namespace scr::play
