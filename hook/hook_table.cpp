#include "hook/hook_table.h"

namespace scr::hook {

int32_t THookState::Used() const {
  const int32_t count = table_.Count;
  if (count < 0) return 0;
  if (count > kHookTableSize) return kHookTableSize;
  return count;
}

int32_t THookState::InstallHook(uint32_t window, uint32_t message) {
  const int32_t slot = Used();
  if (slot >= kHookTableSize) {
    system_.SetLastError(kErrorNotEnoughMemory);
    return -1;
  }
  if (hook_ == 0) {
    hook_ = system_.SetJournalHook();
    if (hook_ == 0) return -1;
  }
  table_.Entries[slot] = THookEntry{window, message};
  table_.Count = slot + 1;
  return slot;
}

int32_t THookState::UninstallHook(uint32_t window) {
  const int32_t used = Used();
  int32_t found = -1;
  for (int32_t i = 0; i < used; ++i) {
    if (table_.Entries[i].Window == window) {
      found = i;
      break;
    }
  }
  if (found < 0) {
    system_.SetLastError(kErrorInvalidHandle);
    return 0;
  }
  const int32_t last = used - 1;
  if (found != last) table_.Entries[found] = table_.Entries[last];
  table_.Entries[last] = THookEntry{0, 0};
  table_.Count = last;
  if (last == 0) ReleaseHook();
  return 1;
}

intptr_t THookState::HookProc(int32_t code, uintptr_t wParam, intptr_t lParam) {
  if (code < 0) return system_.CallNextHook(hook_, code, wParam, lParam);
  // The count is read again after every send: a receiver may enter or remove windows
  // while it handles the event.
  for (int32_t i = 0; i < Used(); ++i) {
    const THookEntry entry = table_.Entries[i];
    if (system_.Send(entry.Window, entry.Message, wParam, lParam) != 0) return 1;
  }
  return 0;
}

void THookState::ReleaseHook() {
  if (hook_ == 0) return;
  system_.RemoveJournalHook(hook_);
  hook_ = 0;
}

}  // namespace scr::hook
