#include "platform/absent_services.h"

#include "common/errors.h"

namespace scr::platform {

namespace {

class TInertHookModule : public scr::IHookModule {
 public:
  std::optional<int32_t> InstallHook(scr::TWindowHandle, uint32_t) override { return 0; }
  std::optional<int32_t> UninstallHook(scr::TWindowHandle) override { return 0; }
};

}  // namespace

std::unique_ptr<IMovieControl> TAbsentMovieControls::CreateMovieControl(TWindowHandle, const TRect&) {
  throw Exception(kClassNotRegistered);
}

std::unique_ptr<IForm> TAbsentForms::CreateForm(TFormSpec, IWindowEvents*) { throw Exception(failure_); }

std::unique_ptr<scr::IHookModule> TInertHookHost::LoadHookModule(const std::string&) {
  return std::make_unique<TInertHookModule>();
}

}  // namespace scr::platform
