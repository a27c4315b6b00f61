#pragma once
// The password-change mode: the system's service asked to change the screen-saver
// password, before any lock is taken.
#include <string_view>

#include "platform/platform.h"

namespace scr::app {

// Loads "MPR.DLL" from the system directory and, when it exports PwdChangePasswordA,
// calls it with ("SCRSAVE", window, 0, 0); its result is ignored and the library
// unloaded. A missing library or export does nothing. The window comes from the second
// argument (EConvertError when that is not an integer, after the library was loaded).
void ChangePassword(platform::TPlatform& platform, std::string_view secondArgument);

}  // namespace scr::app
