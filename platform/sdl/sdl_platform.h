#pragma once
// The sdl backend: the Linux desktop through SDL2 (windows, input, the event loop)
// and SDL2_mixer (music), files through POSIX calls, the shared INI profile and
// FreeType text. It plays a saver file: that file stands where the Windows runtime
// finds its own executable, and a private temporary folder made for the run takes
// the files the saver writes out.
#include <memory>
#include <string>

#include "platform/absent_services.h"
#include "platform/file_profile.h"
#include "platform/folder_system.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_files.h"
#include "platform/sdl/sdl_media_player.h"
#include "platform/sdl/sdl_private_folder.h"
#include "platform/sdl/sdl_screen.h"
#include "platform/sdl/sdl_services.h"

namespace scr::platform::sdl {

struct TSdlOptions {
  std::string saverPath;
  TSdlStage stage;
};

// SDL's video (and, once music plays, audio) for as long as it lives.
class TSdlSession {
 public:
  // False when SDL's video cannot start (no display).
  bool Start();
  ~TSdlSession();

 private:
  bool started_ = false;
};

class TSdlPlatform : public TPlatform {
 public:
  // Runs on the started session, which it ends last.
  TSdlPlatform(std::unique_ptr<TSdlSession> session, const TSdlOptions& options);
  ~TSdlPlatform() override;

  std::string_view BackendName() const override { return "sdl"; }
  TSdlFiles& Files() override { return files_; }
  TFolderSystem& System() override { return system_; }
  TSdlDesktop& Application() override { return desktop_; }
  TSdlDesktop& Windowing() override { return desktop_; }
  TFileProfile& Profile() override { return profile_; }
  TSdlShell& Shell() override { return shell_; }
  TAbsentForms& Forms() override { return forms_; }
  TSdlScreen& Screen() override { return screen_; }
  TSdlMedia& Media() override { return media_; }
  TAbsentMovieControls& Movies() override { return movies_; }
  TSdlDialogs& Dialogs() override { return dialogs_; }
  TInertHookHost& Hooks() override { return hooks_; }

  const std::string& PrivateFolder() const { return folder_.Path(); }

 private:
  std::unique_ptr<TSdlSession> session_;  // first: ends after everything that uses SDL
  TPrivateFolder folder_;
  TSdlFiles files_;
  TFolderSystem system_;
  TSdlDesktop desktop_;
  TFileProfile profile_{files_};
  TSdlShell shell_;
  TAbsentForms forms_{"Forms are not available in the player"};
  TSdlScreen screen_{desktop_};
  TSdlMedia media_{desktop_};
  TAbsentMovieControls movies_;
  TSdlDialogs dialogs_;
  TInertHookHost hooks_;
};

// The platform on a new SDL session; empty when SDL's video cannot start.
std::unique_ptr<TSdlPlatform> CreateSdlPlatform(const TSdlOptions& options);

}  // namespace scr::platform::sdl
