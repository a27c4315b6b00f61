#include <functional>

#include "platform/platform.h"
#if defined(SCR_BACKEND_HEADLESS)
#include "platform/headless/headless_platform.h"
#endif
#if defined(SCR_BACKEND_WIN32)
#include "platform/win32/win32_platform.h"
#endif
#if defined(SCR_BACKEND_SDL)
#include "platform/sdl/sdl_platform.h"
#endif
#if defined(SCR_BACKEND_WEB)
#include "platform/web/web_platform.h"
#endif

namespace scr::platform {

namespace {

struct TBackend {
  const char* name;
  bool byNameOnly;
  // Empty when the backend's system cannot start.
  std::function<std::unique_ptr<TPlatform>()> create;
};

const std::vector<TBackend>& Backends() {
  static const std::vector<TBackend> backends = {
#if defined(SCR_BACKEND_WIN32)
      {"win32", false, [] { return win32::CreateWin32Platform(); }},
#endif
#if defined(SCR_BACKEND_SDL)
      // Full screen on the current display, with no saver file named.
      {"sdl", false, []() -> std::unique_ptr<TPlatform> { return sdl::CreateSdlPlatform(sdl::TSdlOptions{}); }},
#endif
#if defined(SCR_BACKEND_WEB)
      // A stage of the default size with no saver file.
      {"web", false, []() -> std::unique_ptr<TPlatform> { return web::CreateWebPlatform(web::TWebOptions{}); }},
#endif
#if defined(SCR_BACKEND_HEADLESS)
      {"headless", true, [] { return headless::CreateHeadlessPlatform(); }},
#endif
  };
  return backends;
}

}  // namespace

std::unique_ptr<TPlatform> CreatePlatform(std::string_view backend) {
  for (const TBackend& b : Backends())
    if (backend == b.name) return b.create();
  return nullptr;
}

std::unique_ptr<TPlatform> CreateDefaultPlatform() {
  for (const TBackend& b : Backends()) {
    if (b.byNameOnly) continue;
    if (auto p = b.create()) return p;
  }
  return nullptr;
}

std::vector<std::string> BackendNames() {
  std::vector<std::string> names;
  for (const TBackend& b : Backends()) names.emplace_back(b.name);
  return names;
}

}  // namespace scr::platform
