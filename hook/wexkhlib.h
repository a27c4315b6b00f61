#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "hook/hook_host.h"

// The program-wide loader layer of the hook library: the loaded library and its two
// entry points. The library stays loaded until the program ends (or another copy of it
// is loaded in its place).
namespace scr::wexkhlib {

// The library's base name in the system directory; the loader adds ".dll".
inline constexpr const char* kHookLibraryName = "nuvscrhook";

// The path LoadHookLibrary loads: the system directory, a backslash, the base name.
std::string HookLibraryPath(const std::string& systemDirectory);

// Makes module the loaded library, releasing the one loaded before.
void SetLibrary(std::unique_ptr<IHookModule> module);
bool Loaded();
// Unloads the library (program end; also done when the program's statics go away).
void Unload();

// The entry points: -1 and 0 when the library or the export is absent.
int32_t InstallHook(TWindowHandle window, uint32_t message);
int32_t UninstallHook(TWindowHandle window);

}  // namespace scr::wexkhlib
