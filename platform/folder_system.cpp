#include "platform/folder_system.h"

namespace scr::platform {

namespace {

class TSemaphoreHandle : public ISystemHandle {
 public:
  TSemaphoreHandle(std::shared_ptr<std::map<std::string, int>> table, std::string name)
      : table_(std::move(table)), name_(std::move(name)) {
    ++(*table_)[name_];
  }
  ~TSemaphoreHandle() override { Close(); }
  void Close() override {
    if (!table_) return;
    if (--(*table_)[name_] == 0) table_->erase(name_);
    table_.reset();
  }

 private:
  std::shared_ptr<std::map<std::string, int>> table_;
  std::string name_;
};

}  // namespace

std::string TFolderSystem::ErrorText(uint32_t code) {
  switch (code) {
    case kErrorAlreadyExists: return "Cannot create a file when that file already exists";
    case kErrorInvalidName: return "The filename, directory name, or volume label syntax is incorrect";
    default: return "System error " + std::to_string(code);
  }
}

TSemaphoreResult TFolderSystem::CreateNamedSemaphore(const std::string& name, int32_t, int32_t) {
  TSemaphoreResult result;
  result.alreadyExisted = semaphores_->count(name) > 0;
  result.handle = std::make_unique<TSemaphoreHandle>(semaphores_, name);
  return result;
}

}  // namespace scr::platform
