#pragma once
#include <cstdint>
#include <functional>

#include "common/errors.h"
#include "hook/hook_host.h"

namespace scr {

inline constexpr const char* kInstallHookError = "Install Hook Error!";
inline constexpr const char* kCouldNotLoadHookLibrary = "Could not load DLL: nuvscrhook";
inline constexpr const char* kCouldNotLoadHookLibraryCaption = "Error";

class ENuvNotifyError : public Exception {
  using Exception::Exception;
};

class TWexelNotify;

// OnMessage: a copy of the received message; setting fDiscard (false on entry) answers
// the hook with 1, so it stops passing the event to further windows.
using TNuvMessageEvent = std::function<void(TWexelNotify& Sender, TNuvMessage M, bool& fDiscard)>;
using TNotifyEvent = std::function<void(TWexelNotify& Sender)>;

// The notification component: owns a hidden window entered in the hook library's table
// while Enabled, and raises OnMessage for every input event the library forwards to it.
class TWexelNotify {
 public:
  explicit TWexelNotify(IHookHost& host) : host_(host) {}
  TWexelNotify(const TWexelNotify&) = delete;
  TWexelNotify& operator=(const TWexelNotify&) = delete;
  // Disables the component (the window leaves the table and is destroyed).
  virtual ~TWexelNotify();

  // Loads the hook library from the system directory into the program-wide loader
  // layer. When it cannot be loaded: the message box "Could not load DLL: nuvscrhook"
  // and exit code -1; the program goes on (enabling then fails).
  void LoadHookLibrary();

  bool Enabled() const { return hookWindow_ != 0; }
  // Enables or disables; nothing happens when the value is the current one, otherwise
  // OnChange follows. Enabling raises ENuvNotifyError "Install Hook Error!" when the
  // library refuses the window (no library, table full, hook refused).
  void SetEnabled(bool value);

  TWindowHandle HookWindow() const { return hookWindow_; }

  TNuvMessageEvent OnMessage;
  TNotifyEvent OnChange;

 protected:
  // The message dispatch: raises OnMessage when assigned.
  virtual void Message(TNuvMessage& M, bool& fDiscard);
  // The change notification: raises OnChange when assigned.
  virtual void Change();

 private:
  void Enable();
  void Disable();
  void WindowProc(TNuvMessage& M);

  IHookHost& host_;
  TWindowHandle hookWindow_ = 0;
};

}  // namespace scr
