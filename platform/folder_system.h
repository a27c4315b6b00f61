#pragma once
// The system services of a backend that runs a saver file away from Windows: the saver
// file stands where the Windows runtime finds its own executable, and one private folder
// serves as both the temporary and the system directory (so the sound files and the hook
// library the saver writes out all land there and go with the run). Named semaphores are
// the process's own. No libraries load.
#include <map>
#include <memory>
#include <string>

#include "platform/system.h"

namespace scr::platform {

class TFolderSystem : public ISystem {
 public:
  TFolderSystem(std::string saverPath, std::string folder)
      : saverPath_(std::move(saverPath)), folder_(std::move(folder)) {}

  std::string ExecutablePath() override { return saverPath_; }
  // The folder with a trailing "\" (a folder separator here).
  std::string TempPath() override { return folder_.empty() ? std::string() : folder_ + "\\"; }
  std::string SystemDirectory() override { return folder_; }
  std::string ErrorText(uint32_t code) override;
  // A second semaphore of the same name reports that it already existed while the
  // first is held.
  TSemaphoreResult CreateNamedSemaphore(const std::string& name, int32_t initialCount, int32_t maximumCount) override;
  std::unique_ptr<ILibrary> OpenLibrary(const std::string& path) override { return nullptr; }

 private:
  std::string saverPath_;
  std::string folder_;
  std::shared_ptr<std::map<std::string, int>> semaphores_ = std::make_shared<std::map<std::string, int>>();
};

}  // namespace scr::platform
