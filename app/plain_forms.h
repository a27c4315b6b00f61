#pragma once
// The main forms of setup and saver mode as this program has them for now: a plain
// window each. The saver's form already does the start-up work that needs no saver
// window of its own: on its first activation it reads the settings record from the
// package and copies the sound files, Flash movies and hook library out; when it is
// destroyed it deletes the sound files again. It closes on message 0x402 (stop the
// show and exit) from any sender, or when it is closed.
#include <memory>

#include "app/entry.h"

namespace scr::app {

// The message that stops the show and asks the saver to exit.
inline constexpr uint32_t kStopShowMessage = 0x402;

std::unique_ptr<TMainForm> CreatePlainSetupForm(platform::TPlatform& platform);
std::unique_ptr<TMainForm> CreatePlainSaverForm(platform::TPlatform& platform);

}  // namespace scr::app
