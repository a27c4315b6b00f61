#include "platform/win32/win32_profile.h"

#include <vector>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_files.h"
// After the Windows headers, which it needs.
#include <shellapi.h>

namespace scr::platform::win32 {

std::string TWin32Profile::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
  std::vector<char> buffer(kProfileStringBuffer, '\0');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), n < buffer.size() ? n : buffer.size() - 1);
}

bool TWin32Profile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

bool TWin32Profile::FileExists(const std::string& path) { return TWin32FileSystem().Exists(path); }

void TWin32Shell::Open(TWindowHandle parent, const std::string& target) {
  ShellExecuteA(ToHwnd(parent), "open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace scr::platform::win32
