#pragma once
// The player's small services: the information question in SDL's message box and the
// desktop's handler for opening documents and addresses.
#include <SDL.h>

#include <string>

#include "platform/message_dialog.h"
#include "platform/shell.h"

namespace scr::platform::sdl {

class TSdlDialogs : public IMessageDialogs {
 public:
  TDialogAnswer InformationYesNo(TWindowHandle owner, const std::string& text) override;
};

// Error boxes with the error icon and an OK button.
void SdlErrorBox(const std::string& text, const std::string& caption);
// SDL's message box, above the player's window: made the box of the window that has
// the keyboard (or the pointer), so the window manager stacks it above and gives it
// the keyboard, with that window's always-on-top dropped while the box shows. SDL's
// result; the button's id in answer.
int SdlShowMessageBox(SDL_MessageBoxData box, int* answer);

// Opens the target with xdg-open, without waiting for it.
class TSdlShell : public IShell {
 public:
  void Open(TWindowHandle parent, const std::string& target) override;
};

}  // namespace scr::platform::sdl
