#pragma once
// Profile (INI) files with the habits of the system's private-profile functions:
// sections and keys compare without regard to case, a missing file or key reads as
// the default, and the first write creates the file.
#include <cstddef>
#include <string>

namespace scr::platform {

// The buffer the runtime reads every profile string into: texts are cut to 2047
// characters.
inline constexpr size_t kProfileStringBuffer = 2048;

class IProfile {
 public:
  virtual ~IProfile() = default;
  // GetPrivateProfileString with a buffer of 2048 bytes: the value of key in section,
  // or defaultValue when the file, the section or the key is missing or the file
  // cannot be read; either cut to 2047 characters.
  // Values are UTF-8; a file in the single-byte code page is read through it.
  virtual std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                                 const std::string& defaultValue) = 0;
  // WritePrivateProfileString: sets key=value in section, creating the section and the
  // file as needed. False when the file could not be written.
  virtual bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  // Whether a file (not a folder) of that path exists.
  virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace scr::platform
