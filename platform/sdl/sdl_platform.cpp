#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

namespace scr::platform::sdl {

bool TSdlSession::Start() {
  // Signals are the program's to handle; and the player is a screen saver itself,
  // so it never holds the screen saver off.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  started_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  return started_;
}

TSdlSession::~TSdlSession() {
  if (started_) SDL_Quit();
}

TSdlPlatform::TSdlPlatform(std::unique_ptr<TSdlSession> session, const TSdlOptions& options)
    : session_(std::move(session)),
      system_(options.saverPath, folder_.Path()),
      desktop_(options.stage),
      hooks_(folder_.Path(), SdlErrorBox) {}

TSdlPlatform::~TSdlPlatform() = default;

std::unique_ptr<TSdlPlatform> CreateSdlPlatform(const TSdlOptions& options) {
  auto session = std::make_unique<TSdlSession>();
  if (!session->Start()) return nullptr;
  return std::make_unique<TSdlPlatform>(std::move(session), options);
}

}  // namespace scr::platform::sdl
