#pragma once
// The one interface to the operating system. A backend gathers its services in a
// TPlatform; the flows (app/, saver/, setup/) reach the system only through it.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/application.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "hook/hook_host.h"
#include "platform/media_player.h"
#include "platform/message_dialog.h"
#include "platform/movie_control.h"
#include "platform/profile.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/types.h"
#include "platform/windowing.h"

namespace scr::platform {

class TPlatform {
 public:
  virtual ~TPlatform() = default;
  virtual std::string_view BackendName() const = 0;
  virtual IFileSystem& Files() = 0;
  virtual ISystem& System() = 0;
  virtual IApplication& Application() = 0;
  virtual IWindowing& Windowing() = 0;
  virtual IProfile& Profile() = 0;
  virtual IShell& Shell() = 0;
  virtual IForms& Forms() = 0;
  virtual IScreen& Screen() = 0;
  virtual IMedia& Media() = 0;
  // Movie mode: the movie player control, the information question, the input hook.
  virtual IMovieControls& Movies() = 0;
  virtual IMessageDialogs& Dialogs() = 0;
  virtual IHookHost& Hooks() = 0;
};

// The platform of the named backend ("win32", "headless"); empty when the name is
// unknown, the backend is not built into this program, or it declines.
std::unique_ptr<TPlatform> CreatePlatform(std::string_view backend);
// The first backend built into this program that accepts, never "headless" (which is
// made only when asked for by name, and is built into the native programs only).
std::unique_ptr<TPlatform> CreateDefaultPlatform();
// The names CreatePlatform knows in this program, in the order tried.
std::vector<std::string> BackendNames();

}  // namespace scr::platform
