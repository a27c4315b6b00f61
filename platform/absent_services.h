#pragma once
// What a system without the Windows-only services answers, written once for every
// backend that lacks them: no current-user registry (so no "ScreenSaveUsePassword"
// value and no password check: locking the screen is the screen locker's business),
// no password library, no "screen saver running" system parameter (setting it is a
// no-op that succeeds), no movie player control, no forms (the setup dialog is not
// part of such a program), and an input hook that installs but never reports an event.
#include <functional>
#include <memory>
#include <string>

#include "hook/hook_host.h"
#include "platform/forms.h"
#include "platform/movie_control.h"
#include "platform/screen.h"

namespace scr::platform {

// The text the system gives when a component's class is not installed.
inline constexpr const char* kClassNotRegistered = "Class not registered";

// No registry: every key is missing.
inline std::unique_ptr<IRegistryKey> NoRegistryKey() { return nullptr; }
// Without a password library nothing can refuse: the saver closes.
inline bool NoPasswordCheck() { return true; }
// The "screen saver running" parameter has nowhere to go.
inline bool NoScreenSaverParameter() { return true; }

// Creating the movie control always fails as for a control that is not installed.
class TAbsentMovieControls : public IMovieControls {
 public:
  std::unique_ptr<IMovieControl> CreateMovieControl(TWindowHandle parent, const TRect& bounds) override;
};

// Making a form fails with the text given; the cursor is only remembered.
class TAbsentForms : public IForms {
 public:
  explicit TAbsentForms(std::string failure) : failure_(std::move(failure)) {}
  std::unique_ptr<IForm> CreateForm(TFormSpec desc, IWindowEvents* events) override;
  void SetCursor(TCursor cursor) override { cursor_ = cursor; }
  TCursor Cursor() const override { return cursor_; }

 private:
  std::string failure_;
  TCursor cursor_ = TCursor::crDefault;
};

// A hook library that loads and installs but sees no input; error boxes go to the
// function given (the backend's message box).
class TInertHookHost : public scr::IHookHost {
 public:
  TInertHookHost(std::string systemDirectory, std::function<void(const std::string&, const std::string&)> errorBox)
      : systemDirectory_(std::move(systemDirectory)), errorBox_(std::move(errorBox)) {}

  std::string SystemDirectory() override { return systemDirectory_; }
  std::unique_ptr<scr::IHookModule> LoadHookModule(const std::string& path) override;
  scr::TWindowHandle CreateHookWindow(scr::THookWindowProc proc) override { return ++lastWindow_; }
  void DestroyHookWindow(scr::TWindowHandle window) override {}
  void ErrorBox(const std::string& text, const std::string& caption) override {
    if (errorBox_) errorBox_(text, caption);
  }
  void SetExitCode(int32_t code) override { exitCode_ = code; }
  int32_t ExitCode() const { return exitCode_; }

 private:
  std::string systemDirectory_;
  std::function<void(const std::string&, const std::string&)> errorBox_;
  // Hook windows get handles of their own range, apart from real windows.
  scr::TWindowHandle lastWindow_ = 0x7F000000;
  int32_t exitCode_ = 0;
};

}  // namespace scr::platform
