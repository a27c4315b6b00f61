#pragma once
// The movie player control on Windows: an ActiveX host of our own (client site,
// in-place site and frame, an event sink on the control's connection point) that
// creates the control by its class identifier inside one of the program's windows.
// And the framework's information question as a system message box.
#ifdef _WIN32
#include <functional>
#include <memory>
#include <string>

#include "platform/message_dialog.h"
#include "platform/movie_control.h"

namespace scr::platform::win32 {

class TWin32MovieControls final : public IMovieControls {
 public:
  // Receives the text of an error that escapes a handler of the control's events (it
  // cannot pass through the control's call).
  using TErrorReport = std::function<void(const std::string& text)>;
  explicit TWin32MovieControls(TErrorReport report = {}) : report_(std::move(report)) {}

  // Needs the component object services initialised on the calling (main) thread.
  std::unique_ptr<IMovieControl> CreateMovieControl(TWindowHandle parent, const TRect& bounds) override;

 private:
  TErrorReport report_;
};

class TWin32Dialogs final : public IMessageDialogs {
 public:
  TDialogAnswer InformationYesNo(TWindowHandle owner, const std::string& text) override;
};

}  // namespace scr::platform::win32
#endif  // _WIN32
