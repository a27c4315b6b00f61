#include "app/paths.h"

namespace scr::app {

namespace {

std::string UpToZero(const std::string& s) { return s.substr(0, s.find('\0')); }

}  // namespace

std::string GetTempDir(platform::ISystem& system) { return UpToZero(system.TempPath()); }

std::string GetSystemDir(platform::ISystem& system) { return UpToZero(system.SystemDirectory()); }

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string path(directory);
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += name;
  return path;
}

std::string ExtractFileName(std::string_view path) {
  const size_t cut = path.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

}  // namespace scr::app
