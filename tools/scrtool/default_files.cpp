#include "tools/scrtool/default_files.h"

#include <filesystem>
#include <system_error>

namespace scr::tool {

namespace {

namespace fs = std::filesystem;

// PREFIX/share/scrsaver/NAME for the running PREFIX/bin/scrtool, when it exists.
std::string Installed(const char* name) {
  std::error_code failed;
  const fs::path exe = fs::read_symlink("/proc/self/exe", failed);
  if (failed) return {};
  const fs::path file = exe.parent_path().parent_path() / "share" / "scrsaver" / name;
  return fs::is_regular_file(file, failed) ? file.string() : std::string();
}

bool Exists(const char* path) {
  std::error_code failed;
  return fs::is_regular_file(path, failed);
}

}  // namespace

std::string DefaultRuntimePath() {
  const std::string installed = Installed("runtime.scr");
  return installed.empty() ? SCR_DEFAULT_RUNTIME : installed;
}

std::string DefaultHookPath() {
  const std::string installed = Installed("nuvscrhook.dll");
  if (!installed.empty()) return installed;
  return Exists(SCR_DEFAULT_HOOK) ? SCR_DEFAULT_HOOK : "";
}

}  // namespace scr::tool
