#pragma once
// The forms' keyboard on Windows. Keys go to the focused control, which never passes
// Tab, Enter, Esc or letters on to its form: so the message loop offers every key
// message here first, before translating and dispatching it, and the form under which
// it arrived decides (form_keys.h).
#include <functional>

#include "platform/win32/win32_api.h"

namespace scr::platform::win32 {

// A form's handler: true when the form took the message.
using TFormKeyHandler = std::function<bool(const MSG& msg)>;

void AddFormKeyHandler(HWND form, TFormKeyHandler handler);
void RemoveFormKeyHandler(HWND form);

// Offers a message of the queue to the form it belongs to; true when the form took it
// (the loop then neither translates nor dispatches it).
bool OfferFormKey(const MSG& msg);

}  // namespace scr::platform::win32
