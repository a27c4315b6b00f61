#include "platform/headless/headless_platform.h"

namespace scr::platform::headless {

THeadlessPlatform::THeadlessPlatform() {
  files_.AddDirectory("C:\\");
  files_.AddDirectory(system_.TempPath());
  files_.AddDirectory(system_.SystemDirectory());
  files_.AddDirectory("C:\\SAVERS");
  system_.AddLibrary(system_.SystemDirectory() + "\\MPR.DLL", {"PwdChangePasswordA"});
}

THeadlessPlatform::~THeadlessPlatform() = default;

std::unique_ptr<TPlatform> CreateHeadlessPlatform() { return std::make_unique<THeadlessPlatform>(); }

}  // namespace scr::platform::headless
