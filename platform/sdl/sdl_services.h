#pragma once
// The player's small services: the information question in SDL's message box, the
// desktop's handler for opening documents and addresses, and forms (the setup dialog
// is not part of the player: making one fails).
#include <SDL.h>

#include <string>

#include "platform/forms.h"
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

class TSdlForms : public IForms {
 public:
  std::unique_ptr<IForm> CreateForm(TFormSpec desc, IWindowEvents* events) override;
  void SetCursor(TCursor cursor) override { cursor_ = cursor; }
  TCursor Cursor() const override { return cursor_; }

 private:
  TCursor cursor_ = TCursor::crDefault;
};

}  // namespace scr::platform::sdl
