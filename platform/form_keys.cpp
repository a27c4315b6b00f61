#include "platform/form_keys.h"

#include <algorithm>

#include "common/ansi_text.h"

namespace scr::platform {

namespace {

bool TakesFocus(const TControlSpec& c) {
  return c.kind == TControlKind::ckCheckBox || c.kind == TControlKind::ckButton;
}

void AddChildren(const TFormSpec& desc, int parent, std::vector<int>& out) {
  std::vector<int> children;
  for (size_t i = 0; i < desc.controls.size(); ++i)
    if (desc.controls[i].parent == parent) children.push_back(static_cast<int>(i));
  std::stable_sort(children.begin(), children.end(),
                   [&](int a, int b) { return desc.controls[a].tabOrder < desc.controls[b].tabOrder; });
  for (int i : children) {
    if (TakesFocus(desc.controls[i])) out.push_back(i);
    if (desc.controls[i].kind == TControlKind::ckPanel) AddChildren(desc, i, out);
  }
}

// Lower case of a Windows-1252 character, letters with accents included.
unsigned char Lower(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

}  // namespace

std::vector<int> TabSequence(const TFormSpec& desc) {
  std::vector<int> out;
  AddChildren(desc, -1, out);
  return out;
}

char Mnemonic(std::string_view text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') {
      // Texts are UTF-8; the key comes as the Windows-1252 character it types.
      const auto lead = static_cast<unsigned char>(text[i + 1]);
      const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      const std::string_view letter = text.substr(i + 1, length);
      const std::string ansi = length > 1 && IsValidUtf8(letter) ? Utf8ToAnsi(letter) : std::string(letter.substr(0, 1));
      return static_cast<char>(Lower(static_cast<unsigned char>(ansi[0])));
    }
    ++i;  // "&&" shows one "&"
  }
  return 0;
}

int MnemonicControl(const TFormSpec& desc, char ch) {
  const char wanted = static_cast<char>(Lower(static_cast<unsigned char>(ch)));
  if (wanted == 0) return -1;
  for (int i : TabSequence(desc))
    if (Mnemonic(desc.controls[i].text) == wanted) return i;
  return -1;
}

TFormKeyAction FormKeyAction(const TFormSpec& desc, int focused, const TFormKey& key) {
  switch (key.kind) {
    case TFormKeyKind::fkTab: {
      const std::vector<int> order = TabSequence(desc);
      if (order.empty()) return {TFormKeyAction::kSwallow};
      const auto at = std::find(order.begin(), order.end(), focused);
      const int n = static_cast<int>(order.size());
      int next = 0;
      if (at == order.end())
        next = key.shift ? n - 1 : 0;
      else
        next = (static_cast<int>(at - order.begin()) + (key.shift ? n - 1 : 1)) % n;
      return {TFormKeyAction::kFocus, order[next]};
    }
    case TFormKeyKind::fkSpace:
      if (focused < 0 || focused >= static_cast<int>(desc.controls.size()) || !TakesFocus(desc.controls[focused]))
        return {TFormKeyAction::kPass};
      return {TFormKeyAction::kPress, focused};
    case TFormKeyKind::fkEnter:
    case TFormKeyKind::fkEscape: return {TFormKeyAction::kSwallow};
    case TFormKeyKind::fkChar: {
      const int target = MnemonicControl(desc, key.ch);
      if (target < 0) return {TFormKeyAction::kPass};
      return {TFormKeyAction::kPress, target};
    }
  }
  return {TFormKeyAction::kPass};
}

}  // namespace scr::platform
