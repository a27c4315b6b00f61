#include "platform/win32/win32_cover_window.h"

#include <exception>

#include "platform/win32/win32_api.h"
#include "platform/handler_guard.h"
#include "platform/win32/win32_input.h"

namespace scr::platform::win32 {

namespace {

constexpr const char* kCoverClass = "TScrCoverWindow";

// What the window procedure finds in a cover.
struct TCoverData {
  IScreenWindowEvents* events = nullptr;
  TWin32Desktop* desktop = nullptr;
};

LRESULT CALLBACK CoverWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* data = reinterpret_cast<TCoverData*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  // A click leaves the saver window active, so keys keep going to it.
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  if (data) {
    // A failed handler counts as handled.
    TInputResult r = TInputResult::irHandled;
    GuardHandler([&] { r = DeliverInput(data->events, msg, wp, lp); },
                 [data](const char* what) { data->desktop->ShowException(what); });
    if (r == TInputResult::irHandled) return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterCoverClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  // A double-click's second press still arrives, as a message of its own.
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = CoverWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kCoverClass;
  registered = RegisterClassExA(&wc) != 0;
}

class TWin32CoverWindow : public IWindow {
 public:
  TWin32CoverWindow(TWin32Desktop& desktop, IScreenWindowEvents* events) : data_{events, &desktop} {}
  ~TWin32CoverWindow() override {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }

  bool Create(const TRect& b) {
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, "", WS_POPUP, b.left,
                            b.top, b.Width(), b.Height(), nullptr, nullptr, GetModuleHandleA(nullptr), &data_);
    return hwnd_ != nullptr;
  }

  TWindowHandle Handle() const override { return FromHwnd(hwnd_); }
  void Show() override {
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
  }
  void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
  void Close() override { PostMessageA(hwnd_, WM_CLOSE, 0, 0); }
  bool Exists() const override { return IsWindow(hwnd_) != 0; }

 private:
  TCoverData data_;
  HWND hwnd_ = nullptr;
};

}  // namespace

std::unique_ptr<IWindow> CreateWin32CoverWindow(TWin32Desktop& desktop, const TRect& bounds,
                                                IScreenWindowEvents* events) {
  RegisterCoverClass();
  auto w = std::make_unique<TWin32CoverWindow>(desktop, events);
  if (!w->Create(bounds)) return nullptr;
  return w;
}

}  // namespace scr::platform::win32
