#pragma once
// Profile files kept in the headless file system with the project's own INI rules:
// a missing file reads as empty and is made by the first write; a write that cannot
// be done (no such folder, a read-only folder, a folder of the file's name, a file
// open elsewhere) reports failure. Every call is logged.
#include <string>

#include "platform/headless/call_log.h"
#include "platform/headless/memory_files.h"
#include "platform/profile.h"

namespace scr::platform::headless {

class THeadlessProfile : public IProfile {
 public:
  THeadlessProfile(TCallLog& log, TMemoryFileSystem& files) : log_(log), files_(files) {}

  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool FileExists(const std::string& path) override { return files_.Exists(path); }

 private:
  // The file's text; nothing when it cannot be read (missing, a folder, open for writing).
  std::optional<std::string> Load(const std::string& file);

  TCallLog& log_;
  TMemoryFileSystem& files_;
};

}  // namespace scr::platform::headless
