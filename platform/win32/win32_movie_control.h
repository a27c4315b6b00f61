#pragma once
// The movie player control on Windows: an ActiveX host of our own (client site,
// in-place site and frame, an event sink on the control's connection point) that
// creates the control by its class identifier inside one of the program's windows.
// And the framework's information question as a system message box.
#ifdef _WIN32
#include <memory>
#include <string>

#include "platform/message_dialog.h"
#include "platform/movie_control.h"

namespace scr::platform::win32 {

class TWin32MovieControls final : public IMovieControls {
 public:
  // Needs the component object services initialised on the calling (main) thread.
  std::unique_ptr<IMovieControl> CreateMovieControl(TWindowHandle parent, const TRect& bounds) override;
};

class TWin32Dialogs final : public IMessageDialogs {
 public:
  TDialogAnswer InformationYesNo(TWindowHandle owner, const std::string& text) override;
};

}  // namespace scr::platform::win32
#endif  // _WIN32
