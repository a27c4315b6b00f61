#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hook/hook_host.h"
#include "hook/hook_table.h"

namespace scr::platform::headless {

using scr::IHookHost;
using scr::IHookModule;
using scr::THookWindowProc;
using scr::TNuvMessage;
using scr::TWindowHandle;

// A host without a system: a hook library simulated with the library's own table logic,
// hidden windows that are callbacks, and a record of everything the component asked
// for. Tests enter input events as the system would record them.
class THeadlessHookHost final : public IHookHost {
 public:
  struct TInstallCall {
    TWindowHandle Window;
    uint32_t Message;
    int32_t Result;
  };
  struct TUninstallCall {
    TWindowHandle Window;
    int32_t Result;
  };
  struct TMessageBox {
    std::string Text;
    std::string Caption;
  };

  THeadlessHookHost();
  ~THeadlessHookHost() override;

  // What the simulated system offers.
  void SetSystemDirectory(std::string directory) { systemDirectory_ = std::move(directory); }
  void SetLibraryPresent(bool present) { libraryPresent_ = present; }
  // A library file without the two exports.
  void SetEntryPointsPresent(bool present) { entryPointsPresent_ = present; }
  // The system refuses journal-record hooks (as current Windows does for ordinary
  // programs); InstallHook then fails.
  void SetRefuseJournalHook(bool refuse);
  void SetRefuseWindows(bool refuse) { refuseWindows_ = refuse; }

  // Input as the system records it: a journal-record call with an event record whose
  // message is eventMessage. Returns the hook procedure's answer (1 when a window
  // answered non-zero); nothing happens (0) while no hook is installed.
  intptr_t InjectEvent(uint32_t eventMessage);
  // A journal-record call without an event record (lParam 0), such as the notice that
  // a system-modal dialog opens (code 4) or closes (code 5).
  intptr_t InjectNotice(int32_t code = 4);

  // The record.
  const std::vector<std::string>& LoadedPaths() const { return loadedPaths_; }
  int Unloads() const;
  const std::vector<TMessageBox>& MessageBoxes() const { return messageBoxes_; }
  std::optional<int32_t> ExitCode() const { return exitCode_; }
  const std::vector<TInstallCall>& InstallCalls() const;
  const std::vector<TUninstallCall>& UninstallCalls() const;
  bool JournalHookInstalled() const;
  // The last error the simulated library set.
  uint32_t LastError() const;
  int JournalHooksSet() const;
  const hook::THookTable& Table() const;
  bool WindowExists(TWindowHandle window) const { return windows_.count(window) != 0; }
  size_t WindowCount() const { return windows_.size(); }
  // Sends a message to one of the host's windows, as another program could (0 for a
  // window that does not exist).
  intptr_t SendToWindow(TWindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

  // IHookHost
  std::string SystemDirectory() override { return systemDirectory_; }
  std::unique_ptr<IHookModule> LoadHookModule(const std::string& path) override;
  TWindowHandle CreateHookWindow(THookWindowProc proc) override;
  void DestroyHookWindow(TWindowHandle window) override;
  void ErrorBox(const std::string& text, const std::string& caption) override;
  void SetExitCode(int32_t code) override { exitCode_ = code; }
  int32_t ProcessExitCode() const override { return exitCode_.value_or(0); }

  // The simulated library: shared with the modules handed out, which may outlive the
  // host (the loader layer keeps its library until the program ends).
  class TLibrary;

 private:
  std::string systemDirectory_ = "C:\\WINDOWS\\system32";
  bool libraryPresent_ = true;
  bool entryPointsPresent_ = true;
  bool refuseWindows_ = false;
  std::shared_ptr<TLibrary> library_;
  std::vector<std::string> loadedPaths_;
  std::vector<TMessageBox> messageBoxes_;
  std::optional<int32_t> exitCode_;
  std::map<TWindowHandle, THookWindowProc> windows_;
  TWindowHandle nextWindow_ = 0x10010;
  // The record of the event being recorded, while its hook call runs.
  struct TEventRecord;
  const TEventRecord* currentRecord_ = nullptr;
};

}  // namespace scr::platform::headless
