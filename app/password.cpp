#include "app/password.h"

#include "app/command_line.h"

namespace scr::app {

void ChangePassword(platform::TPlatform& platform, std::string_view secondArgument) {
  std::string path = platform.System().SystemDirectory();
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += "MPR.DLL";
  std::unique_ptr<platform::ILibrary> library = platform.System().OpenLibrary(path);
  if (!library) return;
  const platform::TProcAddress change = library->FindExport("PwdChangePasswordA");
  if (!change) return;
  library->CallChangePassword(change, "SCRSAVE", WindowHandleArgument(secondArgument), 0, 0);
}

}  // namespace scr::app
