#pragma once
#ifdef _WIN32
#include <cstdint>
#include <functional>
#include <string>

#include "hook/hook_host.h"

namespace scr::platform::win32 {

using scr::IHookHost;
using scr::IHookModule;
using scr::THookWindowProc;
using scr::TNuvMessage;
using scr::TWindowHandle;

// The hook host on Windows: the system's library loader, hidden windows, message boxes.
class TWin32HookHost final : public IHookHost {
 public:
  // Receives the text of an error that escapes a hook window's procedure (it cannot
  // pass through the system's call); by default it is shown in a message box.
  using TErrorReport = std::function<void(const std::string& text)>;
  // Receives the exit code the component sets; by default it is kept in ExitCode().
  using TExitCodeSink = std::function<void(int32_t code)>;

  TWin32HookHost() = default;
  TWin32HookHost(TErrorReport report, TExitCodeSink exitCode)
      : report_(std::move(report)), exitCodeSink_(std::move(exitCode)) {}

  int32_t ExitCode() const { return exitCode_; }

  std::string SystemDirectory() override;
  std::unique_ptr<IHookModule> LoadHookModule(const std::string& path) override;
  TWindowHandle CreateHookWindow(THookWindowProc proc) override;
  void DestroyHookWindow(TWindowHandle window) override;
  void ErrorBox(const std::string& text, const std::string& caption) override;
  void SetExitCode(int32_t code) override;
  int32_t ProcessExitCode() const override { return exitCode_; }

  // Reports an error that escaped a hook window's procedure.
  void Report(const std::string& text);

 private:
  TErrorReport report_;
  TExitCodeSink exitCodeSink_;
  int32_t exitCode_ = 0;
};

}  // namespace scr::platform::win32
#endif  // _WIN32
