#include "platform/headless/headless_system.h"

namespace scr::platform::headless {

namespace {

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

class TFakeSemaphore : public ISystemHandle {
 public:
  TFakeSemaphore(std::shared_ptr<std::map<std::string, int>> table, std::string name, TCallLog& log)
      : table_(std::move(table)), name_(std::move(name)), log_(log) {}
  ~TFakeSemaphore() override { Close(); }
  void Close() override {
    if (closed_) return;
    closed_ = true;
    log_.Add("CloseHandle " + name_);
    if (--(*table_)[name_] <= 0) table_->erase(name_);
  }

 private:
  std::shared_ptr<std::map<std::string, int>> table_;
  std::string name_;
  TCallLog& log_;
  bool closed_ = false;
};

class TFakeLibrary : public ILibrary {
 public:
  TFakeLibrary(std::string path, std::set<std::string> exports, TCallLog& log)
      : path_(std::move(path)), exports_(std::move(exports)), log_(log) {}
  ~TFakeLibrary() override { log_.Add("FreeLibrary " + path_); }
  TProcAddress FindExport(const std::string& name) override {
    log_.Add("GetProcAddress " + name);
    size_t index = 1;
    for (const std::string& e : exports_) {
      if (e == name) {
        names_[index] = name;
        return index;
      }
      ++index;
    }
    return 0;
  }
  uint32_t CallChangePassword(TProcAddress proc, const std::string& provider, TWindowHandle window,
                              uint32_t reserved1, uint32_t reserved2) override {
    log_.Add(names_[proc] + " " + provider + " " + std::to_string(window) + " " + std::to_string(reserved1) + " " +
             std::to_string(reserved2));
    return 0;
  }

 private:
  std::string path_;
  std::set<std::string> exports_;
  std::map<TProcAddress, std::string> names_;
  TCallLog& log_;
};

}  // namespace

std::string THeadlessSystem::ErrorText(uint32_t code) {
  switch (code) {
    case 2: return "The system cannot find the file specified";
    case 3: return "The system cannot find the path specified";
    case 5: return "Access is denied";
    case 32: return "The process cannot access the file because it is being used by another process";
    case 123: return "The filename, directory name, or volume label syntax is incorrect";
    case 183: return "Cannot create a file when that file already exists";
    default: return "System error code: " + std::to_string(code);
  }
}

TSemaphoreResult THeadlessSystem::CreateNamedSemaphore(const std::string& name, int32_t initialCount,
                                                       int32_t maximumCount) {
  log_.Add("CreateSemaphore " + name + " " + std::to_string(initialCount) + " " + std::to_string(maximumCount));
  TSemaphoreResult result;
  if (semaphoresFail_) return result;
  // Kernel object names compare exactly (case-sensitively).
  result.alreadyExisted = semaphores_->count(name) > 0;
  ++(*semaphores_)[name];
  result.handle = std::make_unique<TFakeSemaphore>(semaphores_, name, log_);
  return result;
}

std::unique_ptr<ILibrary> THeadlessSystem::OpenLibrary(const std::string& path) {
  const auto it = libraries_.find(LowerAscii(path));
  if (it == libraries_.end()) {
    log_.Add("LoadLibrary " + path + " failed");
    return nullptr;
  }
  log_.Add("LoadLibrary " + path);
  return std::make_unique<TFakeLibrary>(path, it->second, log_);
}

void THeadlessSystem::AddLibrary(const std::string& path, std::set<std::string> exports) {
  libraries_[LowerAscii(path)] = std::move(exports);
}

void THeadlessSystem::RemoveLibrary(const std::string& path) { libraries_.erase(LowerAscii(path)); }

int THeadlessSystem::SemaphoreHolders(const std::string& name) const {
  const auto it = semaphores_->find(name);
  return it == semaphores_->end() ? 0 : it->second;
}

}  // namespace scr::platform::headless
