#pragma once
// The Win32 backend: the real system through the Windows API (mingw build only).
#include <memory>

#include "platform/platform.h"

namespace scr::platform::win32 {

std::unique_ptr<TPlatform> CreateWin32Platform();

}  // namespace scr::platform::win32
