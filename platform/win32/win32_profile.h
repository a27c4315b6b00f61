#pragma once
#include "platform/profile.h"
#include "platform/shell.h"

namespace scr::platform::win32 {

// Profile files through the system's private-profile functions.
class TWin32Profile : public IProfile {
 public:
  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool FileExists(const std::string& path) override;
};

// The shell's "open" verb.
class TWin32Shell : public IShell {
 public:
  void Open(TWindowHandle parent, const std::string& target) override;
};

}  // namespace scr::platform::win32
