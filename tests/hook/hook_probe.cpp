// hook_probe: exercises the built hook library and the notification component under
// Wine. Modes:
//   table                      exports, results and the table shared with a child process
//   child W1 W2 HOST OUTFILE   the child's half of "table"; also sends and posts message
//                              1960 with a pointer that is not the receiver's to HOST
//   events READY DONE RESULT   enables the component, waits for input (sent by the test
//                              script) until DONE exists, writes what arrived to RESULT
//   missing                    the library is absent from the system directory
// Prints one line per check and exits with the number of failed checks.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "hook/wexel_notify.h"
#include "hook/wexkhlib.h"
#include "platform/win32/hook_host.h"
#include "tests/support/win32_probe.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) ++failures;
}

// The Windows host, with message boxes and the exit code recorded instead of shown.
class TProbeHost final : public scr::IHookHost {
 public:
  std::string SystemDirectory() override { return real_.SystemDirectory(); }
  std::unique_ptr<scr::IHookModule> LoadHookModule(const std::string& path) override {
    return real_.LoadHookModule(path);
  }
  scr::TWindowHandle CreateHookWindow(scr::THookWindowProc proc) override {
    return real_.CreateHookWindow(std::move(proc));
  }
  void DestroyHookWindow(scr::TWindowHandle window) override { real_.DestroyHookWindow(window); }
  void ErrorBox(const std::string& text, const std::string& caption) override {
    boxes += caption + ": " + text + ";";
  }
  void SetExitCode(int32_t code) override {
    exitCode = code;
    real_.SetExitCode(code);
  }

  std::string boxes;
  int32_t exitCode = 0;

 private:
  scr::platform::win32::TWin32HookHost real_;
};

using TInstall = int32_t(WINAPI*)(HWND, UINT);
using TUninstall = int32_t(WINAPI*)(HWND);
using TWep = int32_t(WINAPI*)(int32_t);

struct TExports {
  HMODULE module = nullptr;
  TInstall install = nullptr;
  TUninstall uninstall = nullptr;
  TWep wep = nullptr;
};

std::string LibraryPath() {
  char dir[MAX_PATH] = {};
  GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\nuvscrhook";
}

TExports LoadExports() {
  TExports e;
  e.module = LoadLibraryA(LibraryPath().c_str());
  if (!e.module) return e;
  e.install = reinterpret_cast<TInstall>(reinterpret_cast<void*>(GetProcAddress(e.module, "InstallHook")));
  e.uninstall = reinterpret_cast<TUninstall>(reinterpret_cast<void*>(GetProcAddress(e.module, "UninstallHook")));
  e.wep = reinterpret_cast<TWep>(reinterpret_cast<void*>(GetProcAddress(e.module, "WEP")));
  return e;
}

// Windows made by the probe itself count the hook messages they receive.
struct TCounts {
  int hook = 0, hookKeys = 0, hookMoves = 0, hookNoRecord = 0;
  int moves = 0, keys = 0, buttons = 0;
};
TCounts rawCounts;

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case scr::WM_INPUTHOOK:
      ++rawCounts.hook;
      if (lParam == 0) {
        ++rawCounts.hookNoRecord;
      } else if (!InSendMessage()) {
        const UINT event = reinterpret_cast<const EVENTMSG*>(lParam)->message;
        if (event == WM_KEYDOWN || event == WM_KEYUP) ++rawCounts.hookKeys;
        if (event == WM_MOUSEMOVE) ++rawCounts.hookMoves;
      }
      return 0;
    case WM_MOUSEMOVE: ++rawCounts.moves; return 0;
    case WM_KEYDOWN: ++rawCounts.keys; return 0;
    case WM_LBUTTONDOWN: ++rawCounts.buttons; return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND MakeWindow(bool visible) {
  static bool registered = false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "HookProbeWindow";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassA(&wc);
    registered = true;
  }
  const int w = visible ? GetSystemMetrics(SM_CXSCREEN) : 0;
  const int h = visible ? GetSystemMetrics(SM_CYSCREEN) : 0;
  HWND window = CreateWindowExA(visible ? WS_EX_TOPMOST : 0, "HookProbeWindow", "hook probe", WS_POPUP, 0, 0, w, h,
                                nullptr, nullptr, instance, nullptr);
  if (visible && window) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    UpdateWindow(window);
  }
  return window;
}

std::string Hex(HWND w) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(w)));
  return buf;
}

HWND ParseWindow(const char* text) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoul(text, nullptr, 16)));
}

HWND Fake(uint32_t value) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(value)); }

int RunChild(HWND w1, HWND w2, HWND hostWindow, const char* outFile) {
  (void)w2;
  // What another process's hook would send: lParam points into that process.
  EVENTMSG record{WM_KEYUP, 0, 0, 0, nullptr};
  DWORD_PTR answer = 0;
  const bool sent = SendMessageTimeoutA(hostWindow, 1960, 7, reinterpret_cast<LPARAM>(&record), SMTO_NORMAL, 10000,
                                        &answer) != 0;
  Check(sent && answer == 5, "child: a message sent to the host's window is answered");
  Check(PostMessageA(hostWindow, 1960, 8, 0x10) != 0, "child: a message with a wild lParam is posted");
  TExports e = LoadExports();
  Check(e.install && e.uninstall, "child: the library loads in a second process");
  if (!e.install) return failures;
  HWND w3 = MakeWindow(false);
  Check(e.install(w3, 1960) == 2, "child: the second process sees the first one's two entries");
  Check(e.uninstall(w1) == 1, "child: removes the first process's first window");
  SetLastError(0);
  Check(e.uninstall(w1) == 0 && GetLastError() == 6, "child: the removed window is gone (last error 6)");
  Check(e.install(Fake(0x5A5A0), 1960) == 2, "child: its window moved into slot 0, the next entry takes slot 2");
  Check(e.uninstall(Fake(0x5A5A0)) == 1, "child: removes its extra entry");
  std::ofstream(outFile) << Hex(w3) << "\n";
  return failures;
}

int RunTable(const char* self) {
  TProbeHost host;
  scr::TWexelNotify notify(host);
  notify.LoadHookLibrary();
  Check(host.boxes.empty() && scr::wexkhlib::Loaded(), "the component loads nuvscrhook from the system directory");

  TExports e = LoadExports();
  Check(e.install && e.uninstall && e.wep, "the exports InstallHook, UninstallHook, WEP are found by their plain names");
  if (!e.install || !e.uninstall || !e.wep) return failures;
  Check(e.wep(0) == 1 && e.wep(-7) == 1, "WEP answers 1");

  HWND w1 = MakeWindow(false);
  HWND w2 = MakeWindow(false);
  const int32_t first = e.install(w1, 1960);
  if (first == -1) {
    // The system refuses journal-record hooks: the component must fail as specified.
    std::printf("note the system refuses the journal-record hook (last error %lu)\n", GetLastError());
    try {
      notify.SetEnabled(true);
      Check(false, "enabling fails when the hook is refused");
    } catch (const scr::ENuvNotifyError& err) {
      Check(err.Message() == "Install Hook Error!", "enabling fails with \"Install Hook Error!\"");
    }
    return failures;
  }
  Check(first == 0, "the first window takes slot 0");
  Check(e.install(w2, 1960) == 1, "the second window takes slot 1");
  SetLastError(0);
  Check(e.uninstall(Fake(0xBADBAD)) == 0 && GetLastError() == 6, "removing an unknown window: 0, last error 6");

  // A window of the Windows host, as the component has it, that another process talks to.
  std::string heard;
  const scr::TWindowHandle hostWindow = host.CreateHookWindow([&](scr::TNuvMessage& M) {
    if (M.Msg != 1960) return;
    heard += std::to_string(M.WParam) + (M.EventMessage ? "+record " : " ");
    M.Result = 5;
  });

  // The child process enters a window, removes w1, and leaves its window in the table.
  char outFile[MAX_PATH];
  GetTempPathA(MAX_PATH, outFile);
  std::string out = std::string(outFile) + "hook_probe_child.txt";
  DeleteFileA(out.c_str());
  scr::test::win32::TProcess child(self, {"child", Hex(w1), Hex(w2), Hex(reinterpret_cast<HWND>(hostWindow)),
                                         "\"" + out + "\""});
  Check(child.Started(), "the child process starts");
  if (!child.Started()) return failures;
  // The child sends nothing to our windows, but pump anyway while waiting.
  DWORD code = 1;
  child.Finish(30000, &code);
  scr::test::win32::Pump();
  Check(code == 0, "the child's checks pass");
  Check(heard == "7 8 ", "another process's lParam is never read as an event record (heard: " + heard + ")");
  host.DestroyHookWindow(hostWindow);
  std::string w3text;
  std::ifstream(out) >> w3text;
  DeleteFileA(out.c_str());
  HWND w3 = ParseWindow(w3text.c_str());

  SetLastError(0);
  Check(e.uninstall(w1) == 0 && GetLastError() == 6, "the child's removal of w1 is seen here");
  Check(e.install(Fake(0x6B6B0), 1960) == 2, "the child's entry is still in the shared table (count 2)");
  Check(e.uninstall(w3) == 1 && e.uninstall(w2) == 1 && e.uninstall(Fake(0x6B6B0)) == 1, "the table empties");

  for (uint32_t i = 0; i < 64; ++i) {
    if (e.install(Fake(0x70000 + 0x10 * i), 1960) != static_cast<int32_t>(i)) {
      Check(false, "64 windows take slots 0..63");
      break;
    }
  }
  SetLastError(0);
  Check(e.install(Fake(0x7FFF0), 1960) == -1 && GetLastError() == 14, "the 65th window: -1, last error 14");
  Check(e.uninstall(Fake(0x7FFF0)) == 0, "the refused window has no entry");
  int removed = 0;
  for (uint32_t i = 0; i < 64; ++i) removed += e.uninstall(Fake(0x70000 + 0x10 * i));
  Check(removed == 64, "all 64 entries are removed again");

  // The component enters and leaves the table through the loader layer.
  notify.SetEnabled(true);
  Check(notify.Enabled(), "the component enables");
  Check(e.install(w1, 1960) == 1, "the component's window holds slot 0");
  e.uninstall(w1);
  notify.SetEnabled(false);
  SetLastError(0);
  Check(e.uninstall(reinterpret_cast<HWND>(notify.HookWindow())) == 0, "disabled, the component has no entry");
  FreeLibrary(e.module);
  return failures;
}

int RunEvents(const char* ready, const char* done, const char* result) {
  HWND screen = MakeWindow(true);
  TProbeHost host;
  scr::TWexelNotify notify(host);
  notify.LoadHookLibrary();
  TCounts component;
  int componentKeysDiscarded = 0;
  // Key events end the forwarding here; mouse moves go on to the second window.
  notify.OnMessage = [&](scr::TWexelNotify&, scr::TNuvMessage M, bool& fDiscard) {
    ++component.hook;
    if (!M.EventMessage) {
      ++component.hookNoRecord;
      return;
    }
    const uint32_t event = *M.EventMessage;
    if (event == WM_MOUSEMOVE) ++component.hookMoves;
    if (event == WM_LBUTTONDOWN || event == WM_RBUTTONDOWN || event == WM_MBUTTONDOWN) ++component.buttons;
    if (event == WM_KEYDOWN || event == WM_KEYUP) {
      ++component.hookKeys;
      ++componentKeysDiscarded;
      fDiscard = true;
    }
  };
  std::string outcome;
  try {
    notify.SetEnabled(true);
  } catch (const scr::ENuvNotifyError& err) {
    Check(err.Message() == "Install Hook Error!", "a refused hook fails with \"Install Hook Error!\"");
    outcome = "refused";
  }
  HWND second = MakeWindow(false);
  if (outcome.empty()) Check(scr::wexkhlib::InstallHook(reinterpret_cast<uintptr_t>(second), 1960) == 1,
                             "a second window takes slot 1");
  std::ofstream(ready) << "ready\n";
  const DWORD start = GetTickCount();
  while (GetFileAttributesA(done) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 60000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (outcome.empty()) {
    scr::wexkhlib::UninstallHook(reinterpret_cast<uintptr_t>(second));
    notify.SetEnabled(false);
    outcome = component.hook > 0 ? "delivered" : "silent";
    if (component.hook > 0) {
      Check(rawCounts.hookKeys == 0, "key events discarded by the first window never reach the second");
      Check(rawCounts.hookMoves == component.hookMoves, "mouse-move events go on to the second window");
    }
  }
  std::ofstream(result) << "hook=" << outcome << " events=" << component.hook << " moves=" << component.hookMoves
                        << " keys=" << component.hookKeys << " buttons=" << component.buttons
                        << " notices=" << component.hookNoRecord << " second=" << rawCounts.hook
                        << " window_moves=" << rawCounts.moves << " window_keys=" << rawCounts.keys
                        << " window_clicks=" << rawCounts.buttons << "\n";
  DestroyWindow(screen);
  return failures;
}

int RunMissing() {
  TProbeHost host;
  scr::TWexelNotify notify(host);
  notify.LoadHookLibrary();
  Check(host.boxes == "Error: Could not load DLL: nuvscrhook;", "the message box: \"" + host.boxes + "\"");
  Check(host.exitCode == -1, "the exit code is -1");
  Check(!scr::wexkhlib::Loaded(), "no library is loaded");
  try {
    notify.SetEnabled(true);
    Check(false, "enabling without the library fails");
  } catch (const scr::ENuvNotifyError& err) {
    Check(err.Message() == "Install Hook Error!", "enabling fails with \"Install Hook Error!\"");
  }
  Check(!notify.Enabled(), "the component stays disabled");
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (mode == "table") return RunTable(self);
  if (mode == "child" && argc == 6)
    return RunChild(ParseWindow(argv[2]), ParseWindow(argv[3]), ParseWindow(argv[4]), argv[5]);
  if (mode == "events" && argc == 5) return RunEvents(argv[2], argv[3], argv[4]);
  if (mode == "missing") return RunMissing();
  std::fprintf(stderr, "usage: hook_probe table | child W1 W2 FILE | events READY DONE RESULT | missing\n");
  return 100;
}
