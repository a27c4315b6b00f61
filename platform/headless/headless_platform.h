#pragma once
// The headless backend: deterministic fakes of every service, for tests and tools.
// Its default world: the saver at C:\SAVERS\TEST.SCR, the temporary directory
// C:\TEMP\, the system directory C:\WINDOWS\SYSTEM32 holding an MPR.DLL that exports
// PwdChangePasswordA, a 1024 x 768 screen, virtual time 0.
#include <memory>

#include "platform/headless/call_log.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/headless_forms.h"
#include "platform/headless/headless_media_player.h"
#include "platform/headless/headless_movie_control.h"
#include "platform/headless/headless_profile.h"
#include "platform/headless/headless_screen.h"
#include "platform/headless/headless_shell.h"
#include "platform/headless/headless_system.h"
#include "platform/headless/hook_host.h"
#include "platform/headless/memory_files.h"
#include "platform/platform.h"

namespace scr::platform::headless {

class THeadlessPlatform : public TPlatform {
 public:
  THeadlessPlatform();
  ~THeadlessPlatform() override;

  std::string_view BackendName() const override { return "headless"; }
  TMemoryFileSystem& Files() override { return files_; }
  THeadlessSystem& System() override { return system_; }
  THeadlessDesktop& Application() override { return desktop_; }
  THeadlessDesktop& Windowing() override { return desktop_; }
  THeadlessProfile& Profile() override { return profile_; }
  THeadlessShell& Shell() override { return shell_; }
  THeadlessForms& Forms() override { return forms_; }
  THeadlessScreen& Screen() override { return screen_; }
  THeadlessMedia& Media() override { return media_; }
  THeadlessMovieControls& Movies() override { return movies_; }
  THeadlessDialogs& Dialogs() override { return dialogs_; }
  THeadlessHookHost& Hooks() override { return hooks_; }

  TCallLog& Log() { return log_; }
  THeadlessDesktop& Desktop() { return desktop_; }

 private:
  TCallLog log_;
  THeadlessSystem system_{log_};
  TMemoryFileSystem files_{log_, system_};
  THeadlessDesktop desktop_{log_};
  THeadlessProfile profile_{log_, files_};
  THeadlessShell shell_{log_};
  THeadlessForms forms_{log_, desktop_};
  THeadlessScreen screen_{log_, desktop_};
  THeadlessMedia media_{log_, desktop_, files_};
  THeadlessMovieControls movies_{log_};
  THeadlessDialogs dialogs_{log_};
  THeadlessHookHost hooks_;
};

std::unique_ptr<TPlatform> CreateHeadlessPlatform();

}  // namespace scr::platform::headless
