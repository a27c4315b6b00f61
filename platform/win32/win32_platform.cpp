#include "platform/win32/win32_platform.h"

#include "platform/win32/hook_host.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_forms.h"
#include "platform/win32/win32_media_player.h"
#include "platform/win32/win32_movie_control.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_system.h"

namespace scr::platform::win32 {

namespace {

class TWin32Platform : public TPlatform {
 public:
  std::string_view BackendName() const override { return "win32"; }
  IFileSystem& Files() override { return files_; }
  ISystem& System() override { return system_; }
  IApplication& Application() override { return desktop_; }
  IWindowing& Windowing() override { return desktop_; }
  IProfile& Profile() override { return profile_; }
  IShell& Shell() override { return shell_; }
  IForms& Forms() override { return forms_; }
  IScreen& Screen() override { return screen_; }
  IMedia& Media() override { return media_; }
  IMovieControls& Movies() override { return movies_; }
  IMessageDialogs& Dialogs() override { return dialogs_; }
  IHookHost& Hooks() override { return hooks_; }

 private:
  TWin32FileSystem files_;
  TWin32System system_;
  TWin32Desktop desktop_;
  TWin32Profile profile_;
  TWin32Shell shell_;
  TWin32Forms forms_{desktop_};
  TWin32Screen screen_{desktop_};
  TWin32Media media_{desktop_};
  TWin32MovieControls movies_{[this](const std::string& text) { desktop_.ShowException(text); }};
  TWin32Dialogs dialogs_;
  TWin32HookHost hooks_;
};

}  // namespace

std::unique_ptr<TPlatform> CreateWin32Platform() { return std::make_unique<TWin32Platform>(); }

}  // namespace scr::platform::win32
