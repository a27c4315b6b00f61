#pragma once
// The keyboard in a form made from a description. The focus moves among the controls
// that take it (check boxes and push buttons) in their tab order; Space presses the
// focused one; the character after "&" in a control's text presses that control, with
// Alt or, since a form holds no text field, also alone; Enter and Esc do nothing, as
// a form has no default and no cancel button. Every backend decides the same way.
#include <string_view>
#include <vector>

#include "platform/forms.h"

namespace scr::platform {

enum class TFormKeyKind { fkTab, fkSpace, fkEnter, fkEscape, fkChar };

struct TFormKey {
  TFormKeyKind kind = TFormKeyKind::fkChar;
  bool shift = false;  // Tab: backwards
  bool alt = false;
  char ch = 0;  // fkChar: the typed character (the system's 8-bit text)
};

struct TFormKeyAction {
  enum TKind { kPass, kSwallow, kFocus, kPress } kind = kPass;
  int control = -1;  // kFocus and kPress: the control's index
  friend bool operator==(const TFormKeyAction&, const TFormKeyAction&) = default;
};

// The controls that take the focus, in tab order: the form's children in their tab
// order, and within a panel its children in theirs, at the panel's place.
std::vector<int> TabSequence(const TFormSpec& desc);

// The character after the first "&" of a text that is not the first of "&&" (which
// shows one "&"), in lower case; 0 when the text has none.
char Mnemonic(std::string_view text);

// The control that the character presses: the first in tab order whose mnemonic it is,
// letters compared without regard to case; -1 when there is none.
int MnemonicControl(const TFormSpec& desc, char ch);

// What a key does in the form while the control `focused` has the focus (-1: none):
// kPass leaves the key to the focused control.
TFormKeyAction FormKeyAction(const TFormSpec& desc, int focused, const TFormKey& key);

}  // namespace scr::platform
