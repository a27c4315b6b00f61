#pragma once
// The web backend: the show in a browser page. The stage is the page's canvas, the
// loop runs from the page's event loop, files live in memory (the saver file handed
// over by the page), music plays through audio elements, text through canvas text,
// profile files with the shared INI rules. The saver file stands where the Windows
// runtime finds its own executable; one in-memory folder serves as both the temporary
// and the system directory, so the files the saver writes out go with the run.
#include <memory>
#include <string>

#include "platform/absent_services.h"
#include "platform/file_profile.h"
#include "platform/folder_system.h"
#include "platform/platform.h"
#include "platform/web/web_desktop.h"
#include "platform/web/web_files.h"
#include "platform/web/web_media_player.h"
#include "platform/web/web_screen.h"
#include "platform/web/web_services.h"

namespace scr::platform::web {

// The folder of the saver file and of what the show writes out.
inline constexpr const char* kSaverFolder = "/saver";
inline constexpr const char* kRunFolder = "/run";

struct TWebOptions {
  TWebFiles files;        // shares its files with the page's store
  std::string saverPath;  // in files
  int width = 640, height = 480;
};

class TWebPlatform : public TPlatform {
 public:
  explicit TWebPlatform(const TWebOptions& options);
  ~TWebPlatform() override;

  std::string_view BackendName() const override { return "web"; }
  TWebFiles& Files() override { return files_; }
  TFolderSystem& System() override { return system_; }
  TWebDesktop& Application() override { return desktop_; }
  TWebDesktop& Windowing() override { return desktop_; }
  TFileProfile& Profile() override { return profile_; }
  TWebShell& Shell() override { return shell_; }
  TAbsentForms& Forms() override { return forms_; }
  TWebScreen& Screen() override { return screen_; }
  TWebMedia& Media() override { return media_; }
  TAbsentMovieControls& Movies() override { return movies_; }
  TWebDialogs& Dialogs() override { return dialogs_; }
  TInertHookHost& Hooks() override { return hooks_; }

 private:
  TWebFiles files_;
  TFolderSystem system_;
  TWebDesktop desktop_;
  TFileProfile profile_{files_};
  TWebShell shell_;
  TAbsentForms forms_{"Forms are not available in the page"};
  TWebScreen screen_{desktop_};
  TWebMedia media_{desktop_, files_};
  TAbsentMovieControls movies_;
  TWebDialogs dialogs_;
  TInertHookHost hooks_;
};

std::unique_ptr<TWebPlatform> CreateWebPlatform(const TWebOptions& options);

}  // namespace scr::platform::web
