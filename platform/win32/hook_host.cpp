#ifdef _WIN32
#include "platform/win32/hook_host.h"

#include <windows.h>

#include <exception>


namespace scr::platform::win32 {
namespace {

using TInstallHookProc = int32_t(WINAPI*)(HWND window, UINT message);
using TUninstallHookProc = int32_t(WINAPI*)(HWND window);

class TWin32HookModule final : public IHookModule {
 public:
  explicit TWin32HookModule(HMODULE module)
      : module_(module),
        install_(reinterpret_cast<TInstallHookProc>(reinterpret_cast<void*>(GetProcAddress(module, "InstallHook")))),
        uninstall_(
            reinterpret_cast<TUninstallHookProc>(reinterpret_cast<void*>(GetProcAddress(module, "UninstallHook")))) {}
  ~TWin32HookModule() override { FreeLibrary(module_); }

  std::optional<int32_t> InstallHook(TWindowHandle window, uint32_t message) override {
    if (!install_) return std::nullopt;
    return install_(reinterpret_cast<HWND>(window), message);
  }
  std::optional<int32_t> UninstallHook(TWindowHandle window) override {
    if (!uninstall_) return std::nullopt;
    return uninstall_(reinterpret_cast<HWND>(window));
  }

 private:
  HMODULE module_;
  TInstallHookProc install_;
  TUninstallHookProc uninstall_;
};

// What a hook window carries: its procedure and the host that reports its errors.
struct TWindowData {
  THookWindowProc Proc;
  TWin32HookHost* Host;
};

constexpr const char* kWindowClass = "NuvHookWindow";

// The event message of a recorded event, when lParam is this process's own record.
// The library's hook runs in the thread that installed it and sends from there, so a
// message sent from another thread (another process's hook, whose lParam points into
// that process) carries no readable record. The read itself is guarded as well, since a
// posted message can carry any lParam.
std::optional<uint32_t> OwnEventMessage(LPARAM lParam) {
  if (lParam == 0 || InSendMessage()) return std::nullopt;
  EVENTMSG record{};
  SIZE_T read = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(lParam), &record.message,
                         sizeof record.message, &read) ||
      read != sizeof record.message)
    return std::nullopt;
  return record.message;
}

LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<TWindowData*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  // Creation messages arrive before the window has its procedure.
  if (!data) return DefWindowProcA(window, message, wParam, lParam);
  TNuvMessage M;
  M.Msg = message;
  M.WParam = wParam;
  M.LParam = lParam;
  if (message == scr::WM_INPUTHOOK) M.EventMessage = OwnEventMessage(lParam);
  // Copies: the procedure may destroy its own window, and with it the data.
  const THookWindowProc proc = data->Proc;
  TWin32HookHost* host = data->Host;
  try {
    proc(M);
  } catch (const std::exception& e) {
    host->Report(e.what());
    return 0;
  } catch (...) {
    host->Report("Unknown error");
    return 0;
  }
  return M.Result;
}

bool RegisterHookWindowClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  if (GetClassInfoA(instance, kWindowClass, &wc)) return true;
  wc.lpfnWndProc = HookWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kWindowClass;
  return RegisterClassA(&wc) != 0;
}

}  // namespace

std::string TWin32HookHost::SystemDirectory() {
  char buffer[255] = {};
  const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return std::string();
  return std::string(buffer);
}

std::unique_ptr<IHookModule> TWin32HookHost::LoadHookModule(const std::string& path) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) return nullptr;
  return std::make_unique<TWin32HookModule>(module);
}

TWindowHandle TWin32HookHost::CreateHookWindow(THookWindowProc proc) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterHookWindowClass(instance)) return 0;
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 0;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWindowData{std::move(proc), this}));
  return reinterpret_cast<TWindowHandle>(window);
}

void TWin32HookHost::DestroyHookWindow(TWindowHandle handle) {
  HWND window = reinterpret_cast<HWND>(handle);
  auto* data = reinterpret_cast<TWindowData*>(SetWindowLongPtrA(window, GWLP_USERDATA, 0));
  DestroyWindow(window);
  delete data;
}

void TWin32HookHost::ErrorBox(const std::string& text, const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

void TWin32HookHost::SetExitCode(int32_t code) {
  exitCode_ = code;
  if (exitCodeSink_) exitCodeSink_(code);
}

void TWin32HookHost::Report(const std::string& text) {
  if (report_) {
    report_(text);
  } else {
    MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_ICONERROR);
  }
}

}  // namespace scr::platform::win32
#endif  // _WIN32
