#include "platform/win32/win32_desktop.h"

#include <objbase.h>

#include <exception>
#include <vector>

#include "platform/win32/win32_api.h"
#include "platform/handler_guard.h"
#include "platform/win32/win32_form_keys.h"

namespace scr::platform::win32 {

namespace {

constexpr const char* kWindowClass = "TScrWindow";

// What the window procedure needs of one of the program's own windows.
struct TWindowData {
  IWindowEvents* events = nullptr;
  COLORREF color = 0;
  TWin32Desktop* desktop = nullptr;
};

// The window whose destruction ends the message loop that runs now.
HWND g_loopWindow = nullptr;

LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, TWindowData* data) {
  IWindowEvents* events = data ? data->events : nullptr;
  switch (msg) {
    case WM_ACTIVATE:
      if (events && LOWORD(wp) != WA_INACTIVE) events->Activated();
      break;
    case WM_CLOSE:
      if (!events || events->CloseQuery()) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      if (events) events->Destroyed();
      if (hwnd == g_loopWindow) PostQuitMessage(0);
      return 0;
    case WM_ERASEBKGND:
      if (data) {
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(data->color);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush);
        DeleteObject(brush);
        return 1;
      }
      break;
    default:
      if (msg >= WM_USER && events && events->UserMessage(msg, wp, lp)) return 0;
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* data = reinterpret_cast<TWindowData*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  LRESULT result = 0;
  GuardHandler([&] { result = Handle(hwnd, msg, wp, lp, data); },
               [&](const char* what) {
                 if (data && data->desktop) data->desktop->ShowException(what);
               });
  return result;
}

void RegisterWindowClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kWindowClass;
  registered = RegisterClassExA(&wc) != 0;
}

class TWin32Window : public IWindow {
 public:
  TWin32Window(HWND h, std::unique_ptr<TWindowData> data) : h_(h), data_(std::move(data)) {}
  ~TWin32Window() override {
    if (IsWindow(h_)) DestroyWindow(h_);
  }
  TWindowHandle Handle() const override { return FromHwnd(h_); }
  void Show() override { ShowWindow(h_, SW_SHOW); }
  void Hide() override { ShowWindow(h_, SW_HIDE); }
  void Close() override { PostMessageA(h_, WM_CLOSE, 0, 0); }
  bool Exists() const override { return IsWindow(h_) != 0; }

 private:
  HWND h_;
  std::unique_ptr<TWindowData> data_;
};

class TWin32DC : public IDeviceContext {
 public:
  TWin32DC(HWND h, HDC dc) : h_(h), dc_(dc) {}
  ~TWin32DC() override { ReleaseDC(h_, dc_); }
  void DrawBitmap(const TBitmap24& bitmap, const TRect& dest) override {
    if (bitmap.Empty()) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bitmap.Width();
    info.bmiHeader.biHeight = -bitmap.Height();  // top-down rows, as TBitmap24 keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchDIBits(dc_, dest.left, dest.top, dest.Width(), dest.Height(), 0, 0, bitmap.Width(), bitmap.Height(),
                  bitmap.Data(), &info, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    // Reading a pixel back makes the system finish the drawing now. A window of
    // another process (the control panel's preview) may otherwise keep a small
    // drawing queued until this process next draws, which a still preview never does.
    GetPixel(dc_, dest.left, dest.top);
  }

 private:
  HWND h_;
  HDC dc_;
};

TRect FromRect(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

TWin32Desktop::~TWin32Desktop() {
  if (comInitialized_) CoUninitialize();
}

bool TWin32Desktop::Exists(TWindowHandle window) { return IsWindow(ToHwnd(window)) != 0; }

bool TWin32Desktop::IsVisible(TWindowHandle window) { return IsWindowVisible(ToHwnd(window)) != 0; }

std::optional<TRect> TWin32Desktop::WindowRect(TWindowHandle window) {
  RECT r;
  if (!GetWindowRect(ToHwnd(window), &r)) return std::nullopt;
  return FromRect(r);
}

std::optional<TRect> TWin32Desktop::ClientRect(TWindowHandle window) {
  RECT r;
  if (!GetClientRect(ToHwnd(window), &r)) return std::nullopt;
  return FromRect(r);
}

std::unique_ptr<IDeviceContext> TWin32Desktop::WindowDC(TWindowHandle window) {
  HDC dc = GetDC(ToHwnd(window));
  if (!dc) return nullptr;
  return std::make_unique<TWin32DC>(ToHwnd(window), dc);
}

TRect TWin32Desktop::ScreenRect() { return TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info))
    reinterpret_cast<std::vector<TMonitor>*>(list)->push_back(
        TMonitor{FromRect(info.rcMonitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

}  // namespace

std::vector<TMonitor> TWin32Desktop::Monitors() {
  std::vector<TMonitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back(TMonitor{ScreenRect(), true});
  return monitors;
}

std::unique_ptr<IWindow> TWin32Desktop::CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) {
  RegisterWindowClass();
  auto data = std::make_unique<TWindowData>();
  data->events = events;
  data->color = desc.color;
  data->desktop = this;
  const DWORD style = desc.borderless ? WS_POPUP : WS_OVERLAPPEDWINDOW;
  HWND h = CreateWindowExA(0, kWindowClass, desc.caption.c_str(), style, desc.bounds.left, desc.bounds.top,
                           desc.bounds.Width(), desc.bounds.Height(), nullptr, nullptr, GetModuleHandleA(nullptr),
                           data.get());
  if (!h) return nullptr;
  return std::make_unique<TWin32Window>(h, std::move(data));
}

bool TWin32Desktop::PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  return PostMessageA(ToHwnd(window), message, wparam, lparam) != 0;
}

void TWin32Desktop::Initialize() {
  if (comInitialized_) return;
  const HRESULT hr = CoInitialize(nullptr);
  comInitialized_ = SUCCEEDED(hr);
}

void TWin32Desktop::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    if (OfferFormKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void TWin32Desktop::WaitForMessages(uint32_t timeoutMs) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_ALLINPUT);
}

void TWin32Desktop::Run(IWindow& mainWindow) {
  HWND main = ToHwnd(mainWindow.Handle());
  HWND outer = g_loopWindow;
  g_loopWindow = main;
  MSG msg;
  while (!terminated_ && IsWindow(main)) {
    if (idle_ && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      const std::function<void()> idle = idle_;
      GuardHandler(idle, [this](const char* what) { ShowException(what); });
      if (terminated_ || !IsWindow(main)) break;
    }
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (OfferFormKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  g_loopWindow = outer;
}

void TWin32Desktop::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TWin32Desktop::ShowException(const std::string& message) {
  char title[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, title, MAX_PATH);
  const char* name = title;
  for (const char* p = title; *p; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  MessageBoxA(g_loopWindow, message.c_str(), name, MB_OK | MB_ICONSTOP);
}

uint32_t TWin32Desktop::TickCount() { return GetTickCount(); }

}  // namespace scr::platform::win32
