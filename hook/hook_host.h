#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace scr {

// A window handle as the system passes it (32 bits in the Windows build).
using TWindowHandle = uintptr_t;

// The message the notification component enters with its window: every recorded input
// event arrives as this message, lParam pointing to the system's event record.
inline constexpr uint32_t WM_INPUTHOOK = 1960;

// A window message as the notification component's window receives it.
struct TNuvMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
  // The input message number (key down 0x100, key up 0x101, mouse move 0x200, ...) of
  // the event record that LParam points to. Filled by the host only when LParam is not 0
  // and the record is this process's own; the system's notices without a record (a
  // system-modal dialog opening or closing) leave it empty.
  std::optional<uint32_t> EventMessage;
};

// A window procedure: sees every message of the window and sets its Result.
using THookWindowProc = std::function<void(TNuvMessage& M)>;

// A loaded hook library. Destroying it unloads the library.
class IHookModule {
 public:
  virtual ~IHookModule() = default;
  // The library's entry points; empty when the library lacks that export.
  virtual std::optional<int32_t> InstallHook(TWindowHandle window, uint32_t message) = 0;
  virtual std::optional<int32_t> UninstallHook(TWindowHandle window) = 0;
};

// The system services the notification component uses. The Windows host uses the real
// calls; the headless host fakes them, records what happens and lets tests inject input.
class IHookHost {
 public:
  virtual ~IHookHost() = default;
  // The system directory, normally without a trailing backslash.
  virtual std::string SystemDirectory() = 0;
  // Loads a library by path (the system's loader adds ".dll"); null when it cannot.
  virtual std::unique_ptr<IHookModule> LoadHookModule(const std::string& path) = 0;
  // A hidden window whose procedure is proc; 0 when the system refuses one.
  virtual TWindowHandle CreateHookWindow(THookWindowProc proc) = 0;
  virtual void DestroyHookWindow(TWindowHandle window) = 0;
  // A message box without owner window, with the error icon and an OK button.
  virtual void ErrorBox(const std::string& text, const std::string& caption) = 0;
  // The code the process ends with, unless something sets another one later.
  virtual void SetExitCode(int32_t code) = 0;
  // The code the process ends with: the last one SetExitCode set, 0 when none was.
  virtual int32_t ProcessExitCode() const { return 0; }
};

}  // namespace scr
