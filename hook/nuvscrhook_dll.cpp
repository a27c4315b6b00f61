// The hook library nuvscrhook.dll: a system-wide journal-record hook that forwards every
// recorded input event to the windows entered in a table shared by all processes.
#ifdef _WIN32
#include <windows.h>

#include <cstdint>

#include "hook/hook_table.h"

namespace {

// One table for every process that loads the library.
scr::hook::THookTable gTable __attribute__((section(".shared"), shared)) = {};

HINSTANCE gModule = nullptr;

LRESULT CALLBACK JournalRecordProc(int code, WPARAM wParam, LPARAM lParam);

class TWin32HookSystem final : public scr::hook::THookSystem {
 public:
  constexpr TWin32HookSystem() = default;
  uintptr_t SetJournalHook() override {
    return reinterpret_cast<uintptr_t>(SetWindowsHookExA(WH_JOURNALRECORD, JournalRecordProc, gModule, 0));
  }
  void RemoveJournalHook(uintptr_t hook) override { UnhookWindowsHookEx(reinterpret_cast<HHOOK>(hook)); }
  intptr_t CallNextHook(uintptr_t hook, int32_t code, uintptr_t wParam, intptr_t lParam) override {
    return CallNextHookEx(reinterpret_cast<HHOOK>(hook), code, wParam, lParam);
  }
  intptr_t Send(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    return SendMessageA(reinterpret_cast<HWND>(static_cast<uintptr_t>(window)), message, wParam, lParam);
  }
  void SetLastError(uint32_t code) override { ::SetLastError(code); }
};

TWin32HookSystem gSystem;
// This process's hook handle over the shared table.
scr::hook::THookState gState(gTable, gSystem);

LRESULT CALLBACK JournalRecordProc(int code, WPARAM wParam, LPARAM lParam) {
  return gState.HookProc(code, wParam, lParam);
}

uint32_t HandleValue(HWND window) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)); }

}  // namespace

extern "C" {

int32_t WINAPI InstallHook(HWND window, UINT message) { return gState.InstallHook(HandleValue(window), message); }

int32_t WINAPI UninstallHook(HWND window) { return gState.UninstallHook(HandleValue(window)); }

int32_t WINAPI WEP(int32_t) { return 1; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    gModule = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded while the process goes on: a hook left behind would call into code that
    // is no longer mapped. (At process end the system removes the hook itself.)
    gState.ReleaseHook();
  }
  return TRUE;
}

}  // extern "C"

#endif  // _WIN32
