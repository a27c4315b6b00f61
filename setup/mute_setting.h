#pragma once
// The user's mute choice, the one setting kept between runs: "CONTROL.INI" beside the
// executable, section "Setup", key "mute", "1" for muted and "0" for not. The setup
// dialog writes it; the saver reads it at start-up.
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace scr::setup {

inline constexpr const char* kControlIniName = "CONTROL.INI";
inline constexpr const char* kMuteSection = "Setup";
inline constexpr const char* kMuteKey = "mute";

// The folder of the executable joined to "CONTROL.INI".
std::string ControlIniPath(std::string_view executablePath);

// The stored choice of the saver at executablePath: an integer value (decimal, or
// hexadecimal after "$", "x" or "0x") that is not 0 means muted; a missing file or
// key, or a value that is not an integer, gives fallback (the saver passes its
// settings' lMute).
bool ReadStoredMute(platform::TPlatform& platform, const std::string& executablePath, bool fallback);
// The same through any profile.
bool ReadStoredMute(platform::IProfile& profile, const std::string& executablePath, bool fallback);

// Stores the choice; raises Exception("Unable to write to <ini path>") when the file
// cannot be written.
void WriteStoredMute(platform::TPlatform& platform, const std::string& executablePath, bool muted);

}  // namespace scr::setup
