#pragma once
// The framework's message dialogs: a question with the information icon.
#include <string>

#include "platform/types.h"

namespace scr::platform {

enum class TDialogAnswer { Yes, No };

class IMessageDialogs {
 public:
  virtual ~IMessageDialogs() = default;
  // Caption "Information", the information icon, buttons "&Yes" and "&No". Closing the
  // dialog without a button counts as No.
  virtual TDialogAnswer InformationYesNo(TWindowHandle owner, const std::string& text) = 0;
};

}  // namespace scr::platform
