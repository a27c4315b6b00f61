#pragma once
#include "platform/files.h"

namespace scr::platform::win32 {

class TWin32FileSystem : public IFileSystem {
 public:
  std::unique_ptr<TStream> OpenRead(const std::string& path) override;
  std::unique_ptr<TWriteStream> Create(const std::string& path) override;
  bool Delete(const std::string& path) override;
  bool Exists(const std::string& path) const override;
};

}  // namespace scr::platform::win32
