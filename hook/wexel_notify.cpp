#include "hook/wexel_notify.h"

#include "hook/wexkhlib.h"

namespace scr {

TWexelNotify::~TWexelNotify() {
  try {
    SetEnabled(false);
  } catch (...) {
    // An OnChange handler that fails while the component goes away changes nothing.
  }
}

void TWexelNotify::LoadHookLibrary() {
  std::unique_ptr<IHookModule> module = host_.LoadHookModule(wexkhlib::HookLibraryPath(host_.SystemDirectory()));
  if (module) {
    wexkhlib::SetLibrary(std::move(module));
    return;
  }
  host_.ErrorBox(kCouldNotLoadHookLibrary, kCouldNotLoadHookLibraryCaption);
  host_.SetExitCode(-1);
}

void TWexelNotify::SetEnabled(bool value) {
  if (value == Enabled()) return;
  if (value) {
    Enable();
  } else {
    Disable();
  }
  Change();
}

void TWexelNotify::Enable() {
  const TWindowHandle window = host_.CreateHookWindow([this](TNuvMessage& M) { WindowProc(M); });
  if (window == 0) throw ENuvNotifyError(kInstallHookError);
  hookWindow_ = window;
  // Slot indexes are never negative; -1 is the library's failure answer.
  if (wexkhlib::InstallHook(window, WM_INPUTHOOK) < 0) {
    host_.DestroyHookWindow(window);
    hookWindow_ = 0;
    throw ENuvNotifyError(kInstallHookError);
  }
}

void TWexelNotify::Disable() {
  if (hookWindow_ == 0) return;
  const TWindowHandle window = hookWindow_;
  wexkhlib::UninstallHook(window);  // a window the table no longer holds is fine
  hookWindow_ = 0;
  host_.DestroyHookWindow(window);
}

void TWexelNotify::WindowProc(TNuvMessage& M) {
  M.Result = 0;
  if (M.Msg != WM_INPUTHOOK) return;  // no default processing for anything else
  bool fDiscard = false;
  Message(M, fDiscard);
  // The handler may have freed the component: only locals are used from here on.
  if (fDiscard) M.Result = 1;
}

void TWexelNotify::Message(TNuvMessage& M, bool& fDiscard) {
  if (!OnMessage) return;
  // A copy, so a handler that frees the component does not destroy the running one.
  const TNuvMessageEvent handler = OnMessage;
  handler(*this, M, fDiscard);
}

void TWexelNotify::Change() {
  if (!OnChange) return;
  const TNotifyEvent handler = OnChange;
  handler(*this);
}

}  // namespace scr
