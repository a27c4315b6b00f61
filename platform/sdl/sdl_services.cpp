#include "platform/sdl/sdl_services.h"

#include <SDL.h>
#include <signal.h>
#include <spawn.h>

#include <cstdio>

#include "common/errors.h"

extern char** environ;

namespace scr::platform::sdl {

TDialogAnswer TSdlDialogs::InformationYesNo(TWindowHandle, const std::string& text) {
  enum : int { kNo = 0, kYes = 1 };
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kNo, "No"},
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kYes, "Yes"},
  };
  const std::string& utf8 = text;  // the program's text is UTF-8
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, nullptr, "Information", utf8.c_str(), 2, buttons,
                               nullptr};
  int answer = kNo;
  if (SdlShowMessageBox(box, &answer) != 0) {
    // Without a box the question still reaches the user, and counts as answered No.
    std::fprintf(stderr, "%s (%s)\n", utf8.c_str(), SDL_GetError());
    return TDialogAnswer::No;
  }
  return answer == kYes ? TDialogAnswer::Yes : TDialogAnswer::No;
}

void SdlErrorBox(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  const SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                    0, "OK"};
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_ERROR, nullptr, caption.c_str(), text.c_str(), 1, &ok, nullptr};
  int answer = 0;
  SdlShowMessageBox(box, &answer);
}

int SdlShowMessageBox(SDL_MessageBoxData box, int* answer) {
  SDL_Window* parent = SDL_GetKeyboardFocus();
  if (!parent) parent = SDL_GetMouseFocus();
  const bool onTop = parent && (SDL_GetWindowFlags(parent) & SDL_WINDOW_ALWAYS_ON_TOP) != 0;
  if (onTop) SDL_SetWindowAlwaysOnTop(parent, SDL_FALSE);
  box.window = parent;
  const int result = SDL_ShowMessageBox(&box, answer);
  if (onTop) SDL_SetWindowAlwaysOnTop(parent, SDL_TRUE);
  return result;
}

void TSdlShell::Open(TWindowHandle, const std::string& target) {
  const std::string& utf8 = target;
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(utf8.c_str()), nullptr};
  // The handler starts with no signal blocked, whatever this program blocks.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);
  pid_t pid = 0;
  // Whether the handler managed it is not reported, as with the Windows shell.
  posix_spawnp(&pid, program, nullptr, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
}

}  // namespace scr::platform::sdl
