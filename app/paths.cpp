#include "app/paths.h"

#include "common/ascii.h"

namespace scr::app {

namespace {

std::string UpToZero(const std::string& s) { return s.substr(0, s.find('\0')); }

bool IsDeviceName(std::string_view name) {
  // The system treats "NUL.txt" and "nul  " as the device too.
  std::string base = AsciiUpperCase(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

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

bool IsPlainFileName(std::string_view name) {
  if (name.empty()) return false;
  bool onlyDotsAndBlanks = true;
  for (unsigned char c : name) {
    if (c == '\\' || c == '/' || c == ':' || c < 32) return false;
    if (c != '.' && c != ' ') onlyDotsAndBlanks = false;
  }
  return !onlyDotsAndBlanks && !IsDeviceName(name);
}

}  // namespace scr::app
