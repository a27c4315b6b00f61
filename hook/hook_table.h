#pragma once
#include <cstdint>

namespace scr::hook {

// The table of windows that receive every recorded input event. One copy lives in the
// hook library's shared data section, so every process that loads the library sees the
// same entries; it is plain data, zero at load, without constructors.
inline constexpr int32_t kHookTableSize = 64;

struct THookEntry {
  uint32_t Window;
  uint32_t Message;
};

struct THookTable {
  THookEntry Entries[kHookTableSize];
  int32_t Count;
};

// Last-error codes the library sets.
inline constexpr uint32_t kErrorNotEnoughMemory = 14;
inline constexpr uint32_t kErrorInvalidHandle = 6;

// What the table logic needs from the system: the journal-record hook, synchronous
// messages and the thread's last error. The library implements it with the system's
// calls; tests and the headless host with fakes.
class THookSystem {
 public:
  // Installs a journal-record hook for all threads; 0 when the system refuses.
  virtual uintptr_t SetJournalHook() = 0;
  virtual void RemoveJournalHook(uintptr_t hook) = 0;
  virtual intptr_t CallNextHook(uintptr_t hook, int32_t code, uintptr_t wParam, intptr_t lParam) = 0;
  // Sends a message and waits for the answer (0 for a window that does not exist).
  virtual intptr_t Send(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual void SetLastError(uint32_t code) = 0;

 protected:
  ~THookSystem() = default;
};

// One process's side of the library: its hook handle over the shared table.
class THookState {
 public:
  constexpr THookState(THookTable& table, THookSystem& system) : table_(table), system_(system) {}
  THookState(const THookState&) = delete;
  THookState& operator=(const THookState&) = delete;

  // Enters (window, message); returns the slot index, or -1 when the table is full
  // (last error 14) or the system refuses the hook (no entry is made then).
  int32_t InstallHook(uint32_t window, uint32_t message);
  // Removes the window's first entry, moving the last entry into its slot; removes the
  // hook with the last entry. Returns 1, or 0 with last error 6 for an unknown window.
  int32_t UninstallHook(uint32_t window);
  // The hook procedure: passes negative codes on; otherwise forwards the call to the
  // entries in slot order until one answers non-zero, and returns 1 if one did, else 0.
  intptr_t HookProc(int32_t code, uintptr_t wParam, intptr_t lParam);

  uintptr_t HookHandle() const { return hook_; }
  // Drops this process's hook (the library being unloaded while it is installed).
  void ReleaseHook();

 private:
  // Entries in use. The table is writable by every process that loads the library, so
  // a count outside 0..64 is read as the nearest bound rather than trusted.
  int32_t Used() const;

  THookTable& table_;
  THookSystem& system_;
  uintptr_t hook_ = 0;
};

inline int32_t THookState::Used() const {
  const int32_t count = table_.Count;
  if (count < 0) return 0;
  if (count > kHookTableSize) return kHookTableSize;
  return count;
}

inline int32_t THookState::InstallHook(uint32_t window, uint32_t message) {
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

inline int32_t THookState::UninstallHook(uint32_t window) {
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

inline intptr_t THookState::HookProc(int32_t code, uintptr_t wParam, intptr_t lParam) {
  if (code < 0) return system_.CallNextHook(hook_, code, wParam, lParam);
  // The count is read again after every send: a receiver may enter or remove windows
  // while it handles the event.
  for (int32_t i = 0; i < Used(); ++i) {
    const THookEntry entry = table_.Entries[i];
    if (system_.Send(entry.Window, entry.Message, wParam, lParam) != 0) return 1;
  }
  return 0;
}

inline void THookState::ReleaseHook() {
  if (hook_ == 0) return;
  system_.RemoveJournalHook(hook_);
  hook_ = 0;
}

}  // namespace scr::hook
