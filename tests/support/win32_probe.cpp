#include "tests/support/win32_probe.h"

#include <cstdio>
#include <utility>

namespace scr::test::win32 {

namespace {

constexpr UINT kStopMessage = 0x402;
constexpr int kMessageTextId = 0xFFFF;

struct TSearch {
  DWORD processId = 0;
  TProcessWindows found;
};

BOOL CALLBACK CollectTopLevel(HWND h, LPARAM l) {
  auto* s = reinterpret_cast<TSearch*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->processId) (ClassOf(h) == "#32770" ? s->found.dialogs : s->found.windows).push_back(h);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND h, LPARAM l) {
  reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
  return TRUE;
}

}  // namespace

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

TProcess::TProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = "\"" + program + "\"";
  for (const std::string& a : arguments) line += " " + a;
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
    info_ = PROCESS_INFORMATION{};
}

TProcess::TProcess(TProcess&& other) noexcept : info_(std::exchange(other.info_, PROCESS_INFORMATION{})) {}

TProcess& TProcess::operator=(TProcess&& other) noexcept {
  if (this != &other) {
    Close();
    info_ = std::exchange(other.info_, PROCESS_INFORMATION{});
  }
  return *this;
}

TProcess::~TProcess() { Close(); }

void TProcess::Close() {
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
  info_ = PROCESS_INFORMATION{};
}

bool TProcess::Running() const { return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool TProcess::WaitEnd(DWORD ms) const { return Started() && WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }

bool TProcess::WaitEndPumping(DWORD ms) const {
  if (!Started()) return false;
  const DWORD start = GetTickCount();
  for (;;) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0) return true;
    if (GetTickCount() - start >= ms) return false;
    Pump();
    MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, 20, QS_ALLINPUT);
  }
}

bool TProcess::Finish(DWORD ms, DWORD* exitCode) {
  if (!Started()) return false;
  const bool ended = WaitEndPumping(ms);
  if (!ended) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 2000);
  }
  if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
  Close();
  return ended;
}

std::string WindowText(HWND h) {
  char buf[4096] = "";
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

std::string ClassOf(HWND h) {
  char buf[256] = "";
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

std::string MessageBoxText(HWND box) {
  char text[2048] = "";
  GetDlgItemTextA(box, kMessageTextId, text, sizeof text);
  return text;
}

TProcessWindows WindowsOf(DWORD processId) {
  TSearch s{processId, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindVisibleWindow(DWORD processId, const std::string& className) {
  const TProcessWindows all = WindowsOf(processId);
  for (const auto* list : {&all.dialogs, &all.windows})
    for (HWND h : *list)
      if (IsWindowVisible(h) && ClassOf(h) == className) return h;
  return nullptr;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

bool CoversScreen(HWND h) {
  RECT r;
  if (!IsWindowVisible(h) || !GetWindowRect(h, &r)) return false;
  return r.left <= 0 && r.top <= 0 && r.right >= GetSystemMetrics(SM_CXSCREEN) &&
         r.bottom >= GetSystemMetrics(SM_CYSCREEN);
}

COLORREF TScreenPixels::At(int x, int y) const {
  const uint8_t* p = &bgr[static_cast<size_t>(y) * Stride() + static_cast<size_t>(x) * 3];
  return RGB(p[2], p[1], p[0]);
}

TScreenPixels CaptureScreen(const RECT& area) {
  TScreenPixels out;
  out.width = area.right - area.left;
  out.height = area.bottom - area.top;
  if (out.width <= 0 || out.height <= 0) return TScreenPixels{};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = out.width;
  bi.bmiHeader.biHeight = -out.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, out.width, out.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const uint8_t*>(bits);
    out.bgr.assign(first, first + out.Stride() * out.height);
    SelectObject(mem, old);
    DeleteObject(dib);
  } else {
    out = TScreenPixels{};
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

TScreenPixels CaptureWindow(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return CaptureScreen(r);
}

bool WriteBmp(const std::string& path, const TScreenPixels& pixels) {
  const size_t stride = pixels.Stride();
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = static_cast<DWORD>(fh.bfOffBits + stride * pixels.height);
  ih.biSize = sizeof ih;
  ih.biWidth = pixels.width;
  ih.biHeight = pixels.height;  // bottom-up, as bitmap files usually are
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1;
  for (int y = pixels.height - 1; ok && y >= 0; --y)
    ok = std::fwrite(&pixels.bgr[static_cast<size_t>(y) * stride], 1, stride, f) == stride;
  return std::fclose(f) == 0 && ok;
}

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void PostButtonCommand(HWND box, int id, HWND button) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void PostKeyPress(HWND h, UINT virtualKey) {
  const UINT scan = MapVirtualKeyA(virtualKey, 0);
  PostMessageA(h, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
  PostMessageA(h, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16) | (LPARAM{3} << 30));
}

void PostStopRequest(DWORD processId) {
  const TProcessWindows f = WindowsOf(processId);
  for (HWND d : f.dialogs) PostMessageA(d, WM_CLOSE, 0, 0);
  for (HWND w : f.windows) PostMessageA(w, kStopMessage, 0, 0);
}

}  // namespace scr::test::win32
