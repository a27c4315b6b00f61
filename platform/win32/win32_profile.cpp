#include "platform/win32/win32_profile.h"

#include <vector>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_text.h"
// After the Windows headers, which it needs.
#include <shellapi.h>

namespace scr::platform::win32 {

std::string TWin32Profile::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
  // The wide function reads the file's single-byte text through the system's code page.
  std::vector<wchar_t> buffer(kProfileStringBuffer, L'\0');
  const DWORD n = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(defaultValue).c_str(),
                                           buffer.data(), static_cast<DWORD>(buffer.size()), Wide(file).c_str());
  return Utf8(std::wstring_view(buffer.data(), n < buffer.size() ? n : buffer.size() - 1));
}

bool TWin32Profile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& value) {
  return WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                    Wide(file).c_str()) != 0;
}

bool TWin32Profile::FileExists(const std::string& path) { return TWin32FileSystem().Exists(path); }

void TWin32Shell::Open(TWindowHandle parent, const std::string& target) {
  ShellExecuteW(ToHwnd(parent), L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace scr::platform::win32
