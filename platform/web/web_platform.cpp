#include "platform/web/web_platform.h"

namespace scr::platform::web {

TWebPlatform::TWebPlatform(const TWebOptions& options)
    : files_(options.files),
      system_(options.saverPath, kRunFolder),
      desktop_(options.width, options.height),
      hooks_(kRunFolder, WebErrorBox) {}

TWebPlatform::~TWebPlatform() = default;

std::unique_ptr<TWebPlatform> CreateWebPlatform(const TWebOptions& options) {
  return std::make_unique<TWebPlatform>(options);
}

}  // namespace scr::platform::web
