#include "platform/sdl/sdl_services.h"

#include <SDL.h>
#include <spawn.h>

#include "common/ansi_text.h"
#include "common/errors.h"

extern char** environ;

namespace scr::platform::sdl {

TDialogAnswer TSdlDialogs::InformationYesNo(TWindowHandle, const std::string& text) {
  enum : int { kNo = 0, kYes = 1 };
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kNo, "No"},
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kYes, "Yes"},
  };
  const std::string utf8 = AnsiToUtf8(text);
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, nullptr, "Information", utf8.c_str(), 2, buttons,
                               nullptr};
  int answer = kNo;
  if (SDL_ShowMessageBox(&box, &answer) != 0) return TDialogAnswer::No;
  return answer == kYes ? TDialogAnswer::Yes : TDialogAnswer::No;
}

void SdlErrorBox(const std::string& text, const std::string& caption) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, AnsiToUtf8(caption).c_str(), AnsiToUtf8(text).c_str(), nullptr);
}

void TSdlShell::Open(TWindowHandle, const std::string& target) {
  const std::string utf8 = AnsiToUtf8(target);
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(utf8.c_str()), nullptr};
  pid_t pid = 0;
  // Whether the handler managed it is not reported, as with the Windows shell.
  posix_spawnp(&pid, program, nullptr, nullptr, argv, environ);
}

std::unique_ptr<IForm> TSdlForms::CreateForm(TFormSpec, IWindowEvents*) {
  throw Exception("Forms are not available in the player");
}

}  // namespace scr::platform::sdl
