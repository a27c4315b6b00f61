#include "platform/win32/win32_form_keys.h"

#include <map>

namespace scr::platform::win32 {

namespace {

std::map<HWND, TFormKeyHandler>& Handlers() {
  static std::map<HWND, TFormKeyHandler> handlers;
  return handlers;
}

}  // namespace

void AddFormKeyHandler(HWND form, TFormKeyHandler handler) { Handlers()[form] = std::move(handler); }

void RemoveFormKeyHandler(HWND form) { Handlers().erase(form); }

bool OfferFormKey(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR: break;
    default: return false;
  }
  if (!msg.hwnd || Handlers().empty()) return false;
  const auto it = Handlers().find(GetAncestor(msg.hwnd, GA_ROOT));
  if (it == Handlers().end()) return false;
  // The handler may close the form, which removes it from the list.
  const TFormKeyHandler handler = it->second;
  return handler(msg);
}

}  // namespace scr::platform::win32
