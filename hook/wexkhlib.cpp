#include "hook/wexkhlib.h"

#include <utility>

namespace scr::wexkhlib {
namespace {

std::unique_ptr<IHookModule>& Library() {
  static std::unique_ptr<IHookModule> library;
  return library;
}

}  // namespace

std::string HookLibraryPath(const std::string& systemDirectory) {
  // A root directory ("C:\") already ends in the separator.
  if (!systemDirectory.empty() && systemDirectory.back() == '\\') return systemDirectory + kHookLibraryName;
  return systemDirectory + "\\" + kHookLibraryName;
}

void SetLibrary(std::unique_ptr<IHookModule> module) {
  // The new copy is loaded before the old one is released, so a library that is
  // loaded again under the same name never leaves memory in between.
  std::unique_ptr<IHookModule> old = std::exchange(Library(), std::move(module));
  old.reset();
}

bool Loaded() { return Library() != nullptr; }

void Unload() { Library().reset(); }

int32_t InstallHook(TWindowHandle window, uint32_t message) {
  if (!Library()) return -1;
  return Library()->InstallHook(window, message).value_or(-1);
}

int32_t UninstallHook(TWindowHandle window) {
  if (!Library()) return 0;
  return Library()->UninstallHook(window).value_or(0);
}

}  // namespace scr::wexkhlib
