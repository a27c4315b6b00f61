#pragma once
// The saver window as the main form of saver mode.
#include <memory>

#include "app/entry.h"

namespace scr::saver {

std::unique_ptr<app::TMainForm> CreateSaverForm(platform::TPlatform& platform);

}  // namespace scr::saver
