#pragma once
// The page's small services: the information question as the page's dialog, error
// boxes as the page's messages, addresses opened in a new tab.
#include <string>

#include "platform/message_dialog.h"
#include "platform/shell.h"

namespace scr::platform::web {

class TWebDialogs : public IMessageDialogs {
 public:
  TDialogAnswer InformationYesNo(TWindowHandle owner, const std::string& text) override;
};

// Error boxes go to the page as messages.
void WebErrorBox(const std::string& text, const std::string& caption);

class TWebShell : public IShell {
 public:
  void Open(TWindowHandle parent, const std::string& target) override;
};

}  // namespace scr::platform::web
