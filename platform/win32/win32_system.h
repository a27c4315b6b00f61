#pragma once
#include "platform/system.h"

namespace scr::platform::win32 {

class TWin32System : public ISystem {
 public:
  TAnsiDecoder AnsiDecoder() override;
  std::string ExecutablePath() override;
  std::string TempPath() override;
  std::string SystemDirectory() override;
  std::string ErrorText(uint32_t code) override;
  TSemaphoreResult CreateNamedSemaphore(const std::string& name, int32_t initialCount, int32_t maximumCount) override;
  std::unique_ptr<ILibrary> OpenLibrary(const std::string& path) override;
};

}  // namespace scr::platform::win32
