// A Win32 helper for the runtime's end-to-end tests under Wine. It plays the parts of
// the system around a saver: the display control panel's preview window, a second
// start of the same saver, and the user who ends a saver run. It prints its findings
// as key=value lines.
//
//   scrhelper preview SAVER WIDTH HEIGHT OUT.BMP
//       shows a WIDTH x HEIGHT window filled with magenta, starts SAVER /p <handle>,
//       waits for the drawing (or the saver's end), captures the window's pixels from
//       the screen into OUT.BMP, hides the window and waits for the saver to end.
//   scrhelper second SAVER ARGS...
//       runs SAVER /p on a window, then SAVER ARGS while the first one runs.
//   scrhelper run TIMEOUT_MS SAVER ARGS...
//       runs SAVER ARGS and tells whether it ended within the time.
//   scrhelper saver SAVER FILE [CHECK...]
//       runs SAVER /s until FILE exists or the saver shows a message box, tells the
//       size of each CHECK file then (size_<n>=-1 when missing) and the message box's
//       text, closes the box and asks the saver to exit (message 0x402).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kBackground = RGB(255, 0, 255);
constexpr DWORD kSaverTimeoutMs = 8000;
DWORD g_start = GetTickCount();
// Progress on stderr with milliseconds since the helper started, for the test logs.
#define TRACE(...) \
  (std::fprintf(stderr, "[%lu ms] ", static_cast<unsigned long>(GetTickCount() - g_start)), \
   std::fprintf(stderr, __VA_ARGS__))

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Waits up to ms for the process to end, pumping this thread's messages meanwhile.
bool WaitEnd(HANDLE process, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return true;
    if (GetTickCount() - start >= ms) return false;
    Pump();
    MsgWaitForMultipleObjects(1, &process, FALSE, 20, QS_ALLINPUT);
  }
}

struct TProcess {
  PROCESS_INFORMATION info{};
  bool started = false;
};

TProcess Start(const std::string& saver, const std::vector<std::string>& args) {
  std::string line = "\"" + saver + "\"";
  for (const std::string& a : args) line += " " + a;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  TProcess p;
  std::vector<char> buf(line.begin(), line.end());
  buf.push_back('\0');
  p.started = CreateProcessA(saver.c_str(), buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &p.info);
  return p;
}

// Reports whether it ended; a saver still running is ended here so none is left.
bool Finish(TProcess& p, DWORD ms, DWORD* exitCode = nullptr) {
  if (!p.started) return false;
  const bool ended = WaitEnd(p.info.hProcess, ms);
  if (!ended) {
    TerminateProcess(p.info.hProcess, 99);
    WaitForSingleObject(p.info.hProcess, 2000);
  }
  if (exitCode) GetExitCodeProcess(p.info.hProcess, exitCode);
  CloseHandle(p.info.hThread);
  CloseHandle(p.info.hProcess);
  p.started = false;
  return ended;
}

LRESULT CALLBACK PanelProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

HWND CreatePanel(int width, int height) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PanelProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = CreateSolidBrush(kBackground);
  wc.lpszClassName = "ScrTestPanel";
  RegisterClassA(&wc);
  HWND h = CreateWindowExA(WS_EX_TOPMOST, "ScrTestPanel", "panel", WS_POPUP, 100, 100, width, height, nullptr, nullptr,
                           wc.hInstance, nullptr);
  ShowWindow(h, SW_SHOWNOACTIVATE);
  UpdateWindow(h);
  for (int i = 0; i < 10; ++i) {
    Pump();
    Sleep(20);
  }
  return h;
}

// The window's pixels as the screen shows them (drawing by another process reaches
// the screen, not this process's own window DC), top-down BGR rows.
std::vector<unsigned char> Capture(HWND h, int& width, int& height) {
  RECT r;
  GetWindowRect(h, &r);
  width = r.right - r.left;
  height = r.bottom - r.top;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<unsigned char> out(static_cast<const unsigned char*>(bits),
                                 static_cast<const unsigned char*>(bits) + stride * height);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

bool AnyDrawn(const std::vector<unsigned char>& px, int width, int height) {
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &px[y * stride + x * 3];
      if (RGB(p[2], p[1], p[0]) != kBackground) return true;
    }
  return false;
}

void WriteBmp(const std::string& path, const std::vector<unsigned char>& px, int width, int height) {
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = static_cast<DWORD>(fh.bfOffBits + stride * height);
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = height;  // bottom-up, as bitmap files usually are
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(&fh, sizeof fh, 1, f);
  std::fwrite(&ih, sizeof ih, 1, f);
  for (int y = height - 1; y >= 0; --y) std::fwrite(&px[y * stride], 1, stride, f);
  std::fclose(f);
}

// Waits up to ms for something other than the background to show in the window.
bool WaitDrawn(HWND panel, TProcess& p, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    int w = 0, h = 0;
    const auto px = Capture(panel, w, h);
    if (getenv("SCRHELPER_TRACE")) TRACE("capture %02x%02x%02x\n", px[0], px[1], px[2]);
    if (AnyDrawn(px, w, h)) {
      TRACE("drawn\n");
      return true;
    }
    if (WaitForSingleObject(p.info.hProcess, 0) == WAIT_OBJECT_0) {
      // Ended: whatever it drew is on the screen now.
      return AnyDrawn(Capture(panel, w, h), w, h);
    }
    // Waiting for messages (not sleeping) lets Wine take in its X events, without
    // which a capture keeps showing the window as it was.
    Pump();
    MsgWaitForMultipleObjects(1, &p.info.hProcess, FALSE, 25, QS_ALLINPUT);
  }
  return false;
}

std::string Decimal(HWND h) { return std::to_string(reinterpret_cast<uintptr_t>(h)); }

int Preview(const std::string& saver, int width, int height, const std::string& out) {
  HWND panel = CreatePanel(width, height);
  TProcess p = Start(saver, {"/p", Decimal(panel)});
  TRACE("started\n");
  std::printf("started=%d\n", p.started ? 1 : 0);
  const bool drawn = WaitDrawn(panel, p, kSaverTimeoutMs);
  // A saver that drew goes on until the window is hidden; give it time to end early
  // if it were going to.
  bool endedWhileVisible = WaitEnd(p.info.hProcess, drawn ? 500 : 3000);
  int w = 0, h = 0;
  const std::vector<unsigned char> px = Capture(panel, w, h);
  WriteBmp(out, px, w, h);
  std::printf("drawn=%d\nended_while_visible=%d\n", drawn ? 1 : 0, endedWhileVisible ? 1 : 0);
  ShowWindow(panel, SW_HIDE);
  Pump();
  DWORD code = 0;
  const bool ended = Finish(p, kSaverTimeoutMs, &code);
  std::printf("ended_after_hide=%d\nexit_code=%lu\n", ended ? 1 : 0, static_cast<unsigned long>(code));
  DestroyWindow(panel);
  return 0;
}

int Second(const std::string& saver, const std::vector<std::string>& args) {
  HWND panel = CreatePanel(64, 48);
  TProcess first = Start(saver, {"/p", Decimal(panel)});
  const bool drawn = WaitDrawn(panel, first, kSaverTimeoutMs);
  std::printf("first_drawn=%d\n", drawn ? 1 : 0);
  TProcess second = Start(saver, args);
  const bool secondEnded = Finish(second, 4000);
  std::printf("second_ended=%d\n", secondEnded ? 1 : 0);
  std::printf("first_running=%d\n", WaitForSingleObject(first.info.hProcess, 0) == WAIT_TIMEOUT ? 1 : 0);
  ShowWindow(panel, SW_HIDE);
  Pump();
  std::printf("first_ended=%d\n", Finish(first, kSaverTimeoutMs) ? 1 : 0);
  DestroyWindow(panel);
  return 0;
}

int RunFor(DWORD ms, const std::string& saver, const std::vector<std::string>& args) {
  TProcess p = Start(saver, args);
  DWORD code = 0;
  const bool ended = Finish(p, ms, &code);
  std::printf("started=%d\nended=%d\nexit_code=%lu\n", p.info.hProcess ? 1 : 0, ended ? 1 : 0,
              static_cast<unsigned long>(code));
  return 0;
}

struct TFound {
  DWORD pid;
  std::vector<HWND> dialogs;
  std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND h, LPARAM l) {
  auto* found = reinterpret_cast<TFound*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != found->pid) return TRUE;
  char cls[64] = "";
  GetClassNameA(h, cls, sizeof cls);
  (std::string(cls) == "#32770" ? found->dialogs : found->windows).push_back(h);
  return TRUE;
}

TFound Windows(DWORD pid) {
  TFound f{pid, {}, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
  return f;
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int SaverRun(const std::string& saver, const std::string& file, const std::vector<std::string>& checks) {
  TProcess p = Start(saver, {"/s"});
  const DWORD start = GetTickCount();
  bool fileSeen = false;
  std::string dialogText;
  while (GetTickCount() - start < kSaverTimeoutMs) {
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) fileSeen = true;
    TFound f = Windows(p.info.dwProcessId);
    for (HWND d : f.dialogs) {
      char text[1024] = "";
      GetDlgItemTextA(d, 0xFFFF, text, sizeof text);
      dialogText = text;
    }
    if (fileSeen || !dialogText.empty() || WaitForSingleObject(p.info.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(25);
  }
  // Give a saver that wrote its first file the moment to write the rest.
  Sleep(300);
  std::printf("file_seen=%d\ndialog=%s\n", fileSeen ? 1 : 0, dialogText.c_str());
  for (size_t i = 0; i < checks.size(); ++i) std::printf("size_%u=%lld\n", static_cast<unsigned>(i), FileSize(checks[i]));
  std::fflush(stdout);
  const DWORD closeStart = GetTickCount();
  while (WaitForSingleObject(p.info.hProcess, 0) == WAIT_TIMEOUT && GetTickCount() - closeStart < kSaverTimeoutMs) {
    TFound f = Windows(p.info.dwProcessId);
    for (HWND d : f.dialogs) PostMessageA(d, WM_CLOSE, 0, 0);
    for (HWND w : f.windows) PostMessageA(w, 0x402, 0, 0);
    Sleep(100);
  }
  DWORD code = 0;
  std::printf("ended=%d\n", Finish(p, 1000, &code) ? 1 : 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  int rc = 2;
  if (a.size() == 5 && a[0] == "preview") {
    rc = Preview(a[1], std::atoi(a[2].c_str()), std::atoi(a[3].c_str()), a[4]);
  } else if (a.size() >= 2 && a[0] == "second") {
    rc = Second(a[1], std::vector<std::string>(a.begin() + 2, a.end()));
  } else if (a.size() >= 3 && a[0] == "run") {
    rc = RunFor(static_cast<DWORD>(std::atoi(a[1].c_str())), a[2], std::vector<std::string>(a.begin() + 3, a.end()));
  } else if (a.size() >= 3 && a[0] == "saver") {
    rc = SaverRun(a[1], a[2], std::vector<std::string>(a.begin() + 3, a.end()));
  } else {
    std::fprintf(stderr, "usage: scrhelper preview|second|run|saver ...\n");
  }
  std::fflush(stdout);
  return rc;
}
