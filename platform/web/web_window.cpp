#include "platform/web/web_window.h"

namespace scr::platform::web {

TWebWindow::TWebWindow(TWebDesktop& desktop, const TWindowSpec& desc, IWindowEvents* events, IWebContent* content)
    : TLoopWindow(desktop, events, content), stage_(desktop), content_(content), rect_(desc.bounds) {
  Opened(desktop.NextHandle());
}

}  // namespace scr::platform::web
