#include "platform/web/web_services.h"

#include "common/ansi_text.h"
#include "platform/web/web_bridge.h"

namespace scr::platform::web {

TDialogAnswer TWebDialogs::InformationYesNo(TWindowHandle, const std::string& text) {
  return JsConfirm(AnsiToUtf8(text)) ? TDialogAnswer::Yes : TDialogAnswer::No;
}

void WebErrorBox(const std::string& text, const std::string& caption) { JsMessage(AnsiToUtf8(caption), AnsiToUtf8(text)); }

void TWebShell::Open(TWindowHandle, const std::string& target) { JsOpen(AnsiToUtf8(target)); }

}  // namespace scr::platform::web
