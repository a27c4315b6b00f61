#pragma once
// The system services of the Linux player: the saver file stands where the Windows
// runtime finds its own executable, and the player's private temporary folder serves
// as both the temporary and the system directory (so the sound files and the hook
// library the saver writes out all land there and go with it). No libraries load.
#include <map>
#include <memory>
#include <string>

#include "platform/system.h"

namespace scr::platform::sdl {

class TSdlSystem : public ISystem {
 public:
  TSdlSystem(std::string saverPath, std::string privateFolder)
      : saverPath_(std::move(saverPath)), folder_(std::move(privateFolder)) {}

  std::string ExecutablePath() override { return saverPath_; }
  // The private folder with a trailing "\" (a folder separator here).
  std::string TempPath() override { return folder_.empty() ? std::string() : folder_ + "\\"; }
  std::string SystemDirectory() override { return folder_; }
  std::string ErrorText(uint32_t code) override;
  // Process-wide named semaphores: a second one of the same name reports that it
  // already existed while the first is held.
  TSemaphoreResult CreateNamedSemaphore(const std::string& name, int32_t initialCount, int32_t maximumCount) override;
  std::unique_ptr<ILibrary> OpenLibrary(const std::string& path) override { return nullptr; }

 private:
  std::string saverPath_;
  std::string folder_;
  std::shared_ptr<std::map<std::string, int>> semaphores_ = std::make_shared<std::map<std::string, int>>();
};

}  // namespace scr::platform::sdl
