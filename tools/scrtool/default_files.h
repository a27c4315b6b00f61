#pragma once
// Where `scrtool make` finds the Windows runtime and the hook library when it is not
// told: installed beside the program (PREFIX/share/scrsaver/ for PREFIX/bin/scrtool),
// else in the win32 build tree this program was built against.
#include <string>

namespace scr::tool {

// The installed file when it exists, else the build tree's (which may be missing).
std::string DefaultRuntimePath();
// The installed or built hook library; empty when neither exists.
std::string DefaultHookPath();

}  // namespace scr::tool
