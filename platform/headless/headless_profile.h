#pragma once
// Profile files kept in the headless file system with the shared INI rules; every
// call is logged.
#include <string>

#include "platform/file_profile.h"
#include "platform/headless/call_log.h"
#include "platform/headless/memory_files.h"

namespace scr::platform::headless {

class THeadlessProfile : public TFileProfile {
 public:
  THeadlessProfile(TCallLog& log, TMemoryFileSystem& files) : TFileProfile(files), log_(log) {}

  std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    log_.Add("GetPrivateProfileString " + file + " [" + section + "] " + key);
    return TFileProfile::ReadString(file, section, key, defaultValue);
  }
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    const bool written = TFileProfile::WriteString(file, section, key, value);
    log_.Add("WritePrivateProfileString " + file + " [" + section + "] " + key + "=" + value +
             (written ? "" : " failed"));
    return written;
  }

 private:
  TCallLog& log_;
};

}  // namespace scr::platform::headless
