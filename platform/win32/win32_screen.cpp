#include "platform/win32/win32_screen.h"

#include <exception>
#include <vector>

#include "common/errors.h"
#include "package/metafile_image.h"
#include "platform/canvas_host.h"
#include "platform/handler_guard.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_cover_window.h"
#include "platform/win32/win32_frame_surface.h"
#include "platform/win32/win32_input.h"

namespace scr::platform::win32 {

namespace {

constexpr const char* kScreenClass = "TScrScreenWindow";

// A 24-bit DIB section holding a copy of part r of a bitmap, for GDI to draw on; the
// drawing goes back into the bitmap with CopyBack.
class TDibPatch {
 public:
  TDibPatch(const TBitmap24& source, const TRect& r) : r_(r) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info = DibInfo(r.Width(), r.Height(), 24);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!bitmap_ || !dc_) return;
    old_ = SelectObject(dc_, bitmap_);
    const size_t stride = TBitmap24::StrideFor(r.Width());
    for (int y = 0; y < r.Height(); ++y)
      memcpy(static_cast<uint8_t*>(bits_) + stride * y, source.Row(r.top + y) + 3 * r.left, 3 * r.Width());
  }
  ~TDibPatch() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  bool Ok() const { return bitmap_ != nullptr && dc_ != nullptr; }
  HDC DC() const { return dc_; }
  void CopyBack(TBitmap24& target) {
    GdiFlush();
    const size_t stride = TBitmap24::StrideFor(r_.Width());
    for (int y = 0; y < r_.Height(); ++y)
      memcpy(target.Row(r_.top + y) + 3 * r_.left, static_cast<uint8_t*>(bits_) + stride * y, 3 * r_.Width());
  }

 private:
  TRect r_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

HFONT MakeFont(const TTextFont& font) {
  return CreateFontW(font.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(font.name).c_str());
}

void RenderMetafile(const TMetafile& metafile, TBitmap24& dst, const TRect& r) {
  const TRect area = Intersect(r, dst.Bounds());
  if (area.IsEmpty()) return;
  const std::vector<uint8_t>& data = metafile.Data();
  HENHMETAFILE h = nullptr;
  if (metafile.Enhanced()) {
    h = SetEnhMetaFileBits(static_cast<UINT>(data.size()), data.data());
  } else {
    // A placeable header (22 bytes) may come before the Windows metafile itself.
    size_t skip = 0;
    if (data.size() >= 22 && data[0] == 0xD7 && data[1] == 0xCD && data[2] == 0xC6 && data[3] == 0x9A) skip = 22;
    h = SetWinMetaFileBits(static_cast<UINT>(data.size() - skip), data.data() + skip, nullptr, nullptr);
  }
  if (!h) throw EInvalidGraphic(kMetafileInvalid);
  TDibPatch patch(dst, area);
  if (patch.Ok()) {
    const RECT target{r.left - area.left, r.top - area.top, r.right - area.left, r.bottom - area.top};
    PlayEnhMetaFile(patch.DC(), h, &target);
    patch.CopyBack(dst);
  }
  DeleteEnhMetaFile(h);
}

// ---- Screen windows ----

// Posted by a worker of the picture show control when it asks for the main thread: the
// window serves the workers' requests from the main message loop as well as from the
// control's own pumping.
constexpr UINT kServeWorkersMessage = WM_APP + 0x2A0;

class TWin32ScreenWindow : public IScreenWindow, public TCanvasHost {
 public:
  TWin32ScreenWindow(TWin32Desktop& desktop, IScreenWindowEvents* events)
      : TCanvasHost([this] { PostMessageA(hwnd_, kServeWorkersMessage, 0, 0); }), desktop_(desktop), events_(events) {}
  ~TWin32ScreenWindow() override {
    // The workers go first, while the window they post to is still there.
    WaitWorkers();
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }

  bool Create(const TWindowSpec& desc) {
    bounds_ = desc.bounds;
    SetCanvasColor(desc.color);
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kScreenClass, desc.caption.c_str(), WS_POPUP, desc.bounds.left,
                            desc.bounds.top, desc.bounds.Width(), desc.bounds.Height(), nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
    if (!hwnd_) return false;
    SetClientSize(desc.bounds.Width(), desc.bounds.Height());
    return true;
  }

  // IWindow
  TWindowHandle Handle() const override { return FromHwnd(hwnd_); }
  void Show() override {
    if (events_ && !IsWindowVisible(hwnd_) && !showing_) {
      showing_ = true;
      events_->Showing();
      showing_ = false;
    }
    ShowWindow(hwnd_, SW_SHOW);
  }
  void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
  void Close() override { PostMessageA(hwnd_, WM_CLOSE, 0, 0); }
  bool Exists() const override { return IsWindow(hwnd_) != 0; }

  // IScreenWindow
  ITransitionHost& TransitionHost() override { return *this; }
  void SetColor(uint32_t rgb) override { SetCanvasColor(rgb); }
  uint32_t Color() const override { return CanvasColor(); }
  void SetBounds(const TRect& b) override {
    bounds_ = b;
    SetWindowPos(hwnd_, nullptr, b.left, b.top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    SetClientSize(b.Width(), b.Height());
  }
  TRect Bounds() const override { return bounds_; }
  void MakeTopmost() override {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    topmost_ = true;
  }
  bool Topmost() const override { return topmost_; }
  void HideTaskbarEntry() override {
    const LONG_PTR ex = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, (ex | WS_EX_TOOLWINDOW) & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
  }
  void ReleaseMouseCapture() override {
    if (GetCapture() == hwnd_) ReleaseCapture();
  }

  // ITransitionHost
  uint32_t TickCount() override { return GetTickCount(); }
  void ProcessMessages() override {
    PumpThenServe(desktop_);
  }
  void InvalidateRect(const TRect& r) override {
    const TRect c = Intersect(r, Canvas().Bounds());
    if (c.IsEmpty() || !hwnd_) return;
    const RECT rc{c.left, c.top, c.right, c.bottom};
    ::InvalidateRect(hwnd_, &rc, FALSE);
  }
  void UpdateNow() override { UpdateWindow(hwnd_); }
  uint32_t SysColor(int index) override { return GetSysColor(index) & 0x00FFFFFFu; }
  void Sleep(uint32_t ms) override { ::Sleep(ms); }

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case WM_ACTIVATE:
        if (events_ && LOWORD(wp) != WA_INACTIVE) events_->Activated();
        break;
      case WM_CLOSE:
        if (!events_ || events_->CloseQuery()) {
          if (events_) events_->Closing();
          DestroyWindow(hwnd_);
        }
        return 0;
      case WM_DESTROY:
        if (events_) events_->Destroyed();
        // Wakes the message loop, which ends once its main window is gone.
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
        return 0;
      case WM_DISPLAYCHANGE:
        // Sent to every top-level window when a display is added or removed or one's
        // resolution changes; Monitors() already tells the new desk.
        if (events_) events_->DisplayChanged();
        break;
      case kServeWorkersMessage: ServeWorkers(); return 0;
      case WM_ERASEBKGND: return 1;  // the paint covers everything
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        const TRect area = PaintArea(TRect{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
        surface_.Present(dc, Canvas(), area);
        EndPaint(hwnd_, &ps);
        return 0;
      }
      default:
        if (msg >= WM_USER && events_ && events_->UserMessage(msg, wp, lp)) return 0;
        if (DeliverInput(events_, msg, wp, lp) == TInputResult::irHandled) return 0;
        break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
  }

  TWin32Desktop& Desktop() { return desktop_; }
  HWND hwnd_ = nullptr;

 private:
  TWin32Desktop& desktop_;
  IScreenWindowEvents* events_;
  TWin32FrameSurface surface_;
  TRect bounds_;
  bool topmost_ = false;
  bool showing_ = false;
};

LRESULT CALLBACK ScreenWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    auto* w = static_cast<TWin32ScreenWindow*>(cs->lpCreateParams);
    w->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
  }
  auto* w = reinterpret_cast<TWin32ScreenWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  if (!w) return DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT result = 0;
  GuardHandler([&] { result = w->Handle(msg, wp, lp); }, [w](const char* what) { w->Desktop().ShowException(what); });
  return result;
}

void RegisterScreenClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ScreenWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kScreenClass;
  registered = RegisterClassExA(&wc) != 0;
}

// ---- Timers ----

class TWin32Timer;
std::map<UINT_PTR, TWin32Timer*>& Timers() {
  static std::map<UINT_PTR, TWin32Timer*> timers;
  return timers;
}

class TWin32Timer : public ITimer {
 public:
  explicit TWin32Timer(TWin32Desktop& desktop) : desktop_(desktop) {}
  ~TWin32Timer() override { Kill(); }
  void SetInterval(uint32_t ms) override {
    if (ms == interval_) return;
    interval_ = ms;
    Update();
  }
  uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
  }
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()> onTimer) override {
    onTimer_ = std::move(onTimer);
    Update();
  }

  static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) {
    const auto it = Timers().find(id);
    if (it == Timers().end()) return;
    TWin32Timer& t = *it->second;
    if (!t.onTimer_) return;
    const std::function<void()> handler = t.onTimer_;
    GuardHandler(handler, [&t](const char* what) { t.desktop_.ShowException(what); });
  }

 private:
  void Kill() {
    if (!id_) return;
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  void Update() {
    Kill();
    if (!enabled_ || interval_ == 0 || !onTimer_) return;
    id_ = SetTimer(nullptr, 0, interval_, &TWin32Timer::Proc);
    if (id_) Timers()[id_] = this;
  }

  TWin32Desktop& desktop_;
  uint32_t interval_ = 1000;
  bool enabled_ = false;
  UINT_PTR id_ = 0;
  std::function<void()> onTimer_;
};

class TWin32RegistryKey : public IRegistryKey {
 public:
  explicit TWin32RegistryKey(HKEY key) : key_(key) {}
  ~TWin32RegistryKey() override { RegCloseKey(key_); }
  int32_t ReadInteger(const std::string& name) override {
    DWORD type = 0, value = 0, size = sizeof value;
    const LONG r = RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (r != ERROR_SUCCESS && r != ERROR_MORE_DATA) throw Exception("Failed to get data for '" + name + "'");
    if (type != REG_DWORD || r == ERROR_MORE_DATA) throw Exception("Invalid data type for '" + name + "'");
    return static_cast<int32_t>(value);
  }

 private:
  HKEY key_;
};

}  // namespace

TWin32Screen::TWin32Screen(TWin32Desktop& desktop) : desktop_(desktop) { SetMetafileRenderer(RenderMetafile); }

std::unique_ptr<IScreenWindow> TWin32Screen::CreateScreenWindow(const TWindowSpec& desc, IScreenWindowEvents* events) {
  RegisterScreenClass();
  auto w = std::make_unique<TWin32ScreenWindow>(desktop_, events);
  if (!w->Create(desc)) return nullptr;
  return w;
}

std::unique_ptr<IWindow> TWin32Screen::CreateCoverWindow(const TRect& bounds, IScreenWindowEvents* events) {
  return CreateWin32CoverWindow(desktop_, bounds, events);
}

std::unique_ptr<ITimer> TWin32Screen::CreateTimer() { return std::make_unique<TWin32Timer>(desktop_); }

int TWin32Screen::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

bool TWin32Screen::SetScreenSaverRunning(bool running) {
  UINT old = 0;
  return SystemParametersInfoA(97, running ? 1 : 0, &old, 0) != 0;
}

uint32_t TWin32Screen::SysColor(int index) { return GetSysColor(index) & 0x00FFFFFFu; }

std::unique_ptr<IRegistryKey> TWin32Screen::OpenCurrentUserKey(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<TWin32RegistryKey>(key);
}

bool TWin32Screen::CallVerifyScreenSavePwd(TProcAddress proc, TWindowHandle window) {
  using TVerify = BOOL(WINAPI*)(HWND);
  const auto verify = reinterpret_cast<TVerify>(proc);
  return (verify(ToHwnd(window)) & 0xFF) != 0;
}

TTextSize TWin32Screen::TextExtent(const TTextFont& font, std::string_view text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT f = MakeFont(font);
  HGDIOBJ old = SelectObject(dc, f);
  SIZE size{};
  const std::wstring wide = Wide(text);
  GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  DeleteObject(f);
  DeleteDC(dc);
  return TTextSize{size.cx, size.cy};
}

void TWin32Screen::DrawTextAt(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) {
  const TTextSize size = TextExtent(font, text);
  // A little room for glyphs that reach beyond their advance.
  const TRect area = Intersect(TRect{x - 4, y, x + size.cx + 4, y + size.cy}, bitmap.Bounds());
  if (area.IsEmpty()) return;
  TDibPatch patch(bitmap, area);
  if (!patch.Ok()) return;
  HFONT f = MakeFont(font);
  HGDIOBJ old = SelectObject(patch.DC(), f);
  SetBkMode(patch.DC(), TRANSPARENT);
  SetTextColor(patch.DC(), font.color & 0x00FFFFFFu);
  // The wide function: the system links in fonts for the characters this one lacks.
  const std::wstring wide = Wide(text);
  TextOutW(patch.DC(), x - area.left, y - area.top, wide.data(), static_cast<int>(wide.size()));
  SelectObject(patch.DC(), old);
  DeleteObject(f);
  patch.CopyBack(bitmap);
}

}  // namespace scr::platform::win32
