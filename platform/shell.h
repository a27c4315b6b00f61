#pragma once
// The shell's verbs: opening a document, an address or a "mailto:" link with the
// user's default handler.
#include <string>

#include "platform/types.h"

namespace scr::platform {

class IShell {
 public:
  virtual ~IShell() = default;
  // ShellExecute(parent, "open", target, no parameters, no folder, SW_SHOW). Whether
  // the shell managed it is not reported: callers never examine it.
  virtual void Open(TWindowHandle parent, const std::string& target) = 0;
};

}  // namespace scr::platform
