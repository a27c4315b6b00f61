#pragma once
// Profile files kept in any file system with the project's own INI rules: a missing
// file reads as empty and is made by the first write; a write that cannot be done (no
// such folder, a read-only folder, a folder of the file's name, a file open elsewhere)
// reports failure, and a file that is there but cannot be read is never replaced.
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"

namespace scr::platform {

class TFileProfile : public IProfile {
 public:
  explicit TFileProfile(IFileSystem& files) : files_(files) {}

  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool FileExists(const std::string& path) override { return files_.Exists(path); }

 private:
  // The file's text; nothing when it cannot be read (missing, a folder, open for writing).
  std::optional<std::string> Load(const std::string& file);

  IFileSystem& files_;
};

}  // namespace scr::platform
