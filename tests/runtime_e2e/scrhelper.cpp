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
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/win32_probe.h"

namespace {

namespace w32 = scr::test::win32;
using w32::Pump;
using w32::TProcess;

constexpr COLORREF kBackground = RGB(255, 0, 255);
constexpr DWORD kSaverTimeoutMs = 8000;
DWORD g_start = GetTickCount();
// Progress on stderr with milliseconds since the helper started, for the test logs.
#define TRACE(...) \
  (std::fprintf(stderr, "[%lu ms] ", static_cast<unsigned long>(GetTickCount() - g_start)), \
   std::fprintf(stderr, __VA_ARGS__))

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

bool AnyDrawn(const w32::TScreenPixels& px) {
  for (int y = 0; y < px.height; ++y)
    for (int x = 0; x < px.width; ++x)
      if (px.At(x, y) != kBackground) return true;
  return false;
}

// Waits up to ms for something other than the background to show in the window.
bool WaitDrawn(HWND panel, const TProcess& p, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    const w32::TScreenPixels px = w32::CaptureWindow(panel);
    if (getenv("SCRHELPER_TRACE") && !px.bgr.empty())
      TRACE("capture %02x%02x%02x\n", px.bgr[0], px.bgr[1], px.bgr[2]);
    if (AnyDrawn(px)) {
      TRACE("drawn\n");
      return true;
    }
    // Ended: whatever it drew is on the screen now.
    if (!p.Running()) return AnyDrawn(w32::CaptureWindow(panel));
    // Waiting for messages (not sleeping) lets Wine take in its X events, without
    // which a capture keeps showing the window as it was.
    p.WaitEndPumping(25);
  }
  return false;
}

std::string Decimal(HWND h) { return std::to_string(reinterpret_cast<uintptr_t>(h)); }

int Preview(const std::string& saver, int width, int height, const std::string& out) {
  HWND panel = CreatePanel(width, height);
  TProcess p(saver, {"/p", Decimal(panel)});
  TRACE("started\n");
  std::printf("started=%d\n", p.Started() ? 1 : 0);
  const bool drawn = WaitDrawn(panel, p, kSaverTimeoutMs);
  // A saver that drew goes on until the window is hidden; give it time to end early
  // if it were going to.
  bool endedWhileVisible = p.WaitEndPumping(drawn ? 500 : 3000);
  w32::WriteBmp(out, w32::CaptureWindow(panel));
  std::printf("drawn=%d\nended_while_visible=%d\n", drawn ? 1 : 0, endedWhileVisible ? 1 : 0);
  ShowWindow(panel, SW_HIDE);
  Pump();
  DWORD code = 0;
  const bool ended = p.Finish(kSaverTimeoutMs, &code);
  std::printf("ended_after_hide=%d\nexit_code=%lu\n", ended ? 1 : 0, static_cast<unsigned long>(code));
  DestroyWindow(panel);
  return 0;
}

int Second(const std::string& saver, const std::vector<std::string>& args) {
  HWND panel = CreatePanel(64, 48);
  TProcess first(saver, {"/p", Decimal(panel)});
  const bool drawn = WaitDrawn(panel, first, kSaverTimeoutMs);
  std::printf("first_drawn=%d\n", drawn ? 1 : 0);
  TProcess second(saver, args);
  const bool secondEnded = second.Finish(4000);
  std::printf("second_ended=%d\n", secondEnded ? 1 : 0);
  std::printf("first_running=%d\n", first.Running() ? 1 : 0);
  ShowWindow(panel, SW_HIDE);
  Pump();
  std::printf("first_ended=%d\n", first.Finish(kSaverTimeoutMs) ? 1 : 0);
  DestroyWindow(panel);
  return 0;
}

int RunFor(DWORD ms, const std::string& saver, const std::vector<std::string>& args) {
  TProcess p(saver, args);
  const bool started = p.Started();
  DWORD code = 0;
  const bool ended = p.Finish(ms, &code);
  std::printf("started=%d\nended=%d\nexit_code=%lu\n", started ? 1 : 0, ended ? 1 : 0,
              static_cast<unsigned long>(code));
  return 0;
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int SaverRun(const std::string& saver, const std::string& file, const std::vector<std::string>& checks) {
  TProcess p(saver, {"/s"});
  const DWORD start = GetTickCount();
  bool fileSeen = false;
  std::string dialogText;
  while (GetTickCount() - start < kSaverTimeoutMs) {
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) fileSeen = true;
    for (HWND d : w32::WindowsOf(p.Id()).dialogs) dialogText = w32::MessageBoxText(d);
    if (fileSeen || !dialogText.empty() || !p.Running()) break;
    Sleep(25);
  }
  // Give a saver that wrote its first file the moment to write the rest.
  Sleep(300);
  std::printf("file_seen=%d\ndialog=%s\n", fileSeen ? 1 : 0, dialogText.c_str());
  for (size_t i = 0; i < checks.size(); ++i) std::printf("size_%u=%lld\n", static_cast<unsigned>(i), FileSize(checks[i]));
  std::fflush(stdout);
  const DWORD closeStart = GetTickCount();
  while (p.Running() && GetTickCount() - closeStart < kSaverTimeoutMs) {
    w32::PostStopRequest(p.Id());
    Sleep(100);
  }
  std::printf("ended=%d\n", p.Finish(1000) ? 1 : 0);
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
