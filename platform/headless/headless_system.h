#pragma once
// The headless system: a configurable executable path and system folders, named
// semaphores that live as long as some handle holds them, and fake libraries whose
// exports record their calls.
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/headless/call_log.h"
#include "platform/system.h"

namespace scr::platform::headless {

class THeadlessSystem : public ISystem {
 public:
  explicit THeadlessSystem(TCallLog& log) : log_(log) {}

  std::string ExecutablePath() override { return executablePath_; }
  std::string TempPath() override { return tempPath_; }
  std::string SystemDirectory() override { return systemDirectory_; }
  std::string ErrorText(uint32_t code) override;
  TSemaphoreResult CreateNamedSemaphore(const std::string& name, int32_t initialCount, int32_t maximumCount) override;
  std::unique_ptr<ILibrary> OpenLibrary(const std::string& path) override;

  // Test set-up.
  void SetExecutablePath(std::string path) { executablePath_ = std::move(path); }
  void SetTempPath(std::string path) { tempPath_ = std::move(path); }
  void SetSystemDirectory(std::string path) { systemDirectory_ = std::move(path); }
  // Semaphore creation fails (no handle) from now on.
  void SetSemaphoresFail(bool fail) { semaphoresFail_ = fail; }
  // A library that loads from path (compared without regard to ASCII case) and has
  // the given exports; an export's call is recorded as "<export> <arguments>".
  void AddLibrary(const std::string& path, std::set<std::string> exports);
  void RemoveLibrary(const std::string& path);
  // How many handles hold the named semaphore now.
  int SemaphoreHolders(const std::string& name) const;

 private:
  TCallLog& log_;
  std::string executablePath_ = "C:\\SAVERS\\TEST.SCR";
  std::string tempPath_ = "C:\\TEMP\\";
  std::string systemDirectory_ = "C:\\WINDOWS\\SYSTEM32";
  bool semaphoresFail_ = false;
  std::shared_ptr<std::map<std::string, int>> semaphores_ = std::make_shared<std::map<std::string, int>>();
  std::map<std::string, std::set<std::string>> libraries_;  // lower-cased path -> exports
};

}  // namespace scr::platform::headless
