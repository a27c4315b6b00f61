#include "platform/web/web_services.h"

#include "platform/web/web_bridge.h"

namespace scr::platform::web {

TDialogAnswer TWebDialogs::InformationYesNo(TWindowHandle, const std::string& text) {
  return JsConfirm(text) ? TDialogAnswer::Yes : TDialogAnswer::No;
}

void WebErrorBox(const std::string& text, const std::string& caption) { JsMessage(caption, text); }

void TWebShell::Open(TWindowHandle, const std::string& target) { JsOpen(target); }

}  // namespace scr::platform::web
