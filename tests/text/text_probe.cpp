// The Wine test's probe for text as typed.
//
//   text_probe draw TEXT-FILE FONT HEIGHT RRGGBB BACKGROUND WIDTHxHEIGHT OUT.bmp [--ansi]
//     draws the UTF-8 text of TEXT-FILE as the saver places its caption (centred at the
//     bottom of a WIDTH x HEIGHT screen of the BACKGROUND colour) through the
//     wide-character functions; with --ansi through the single-byte ones after the
//     system's code page conversion, as a program that is not Unicode would.
//   text_probe dialog SAVER PAUSE-FILE
//     starts SAVER /c and prints the setup dialog's caption and its controls' texts, read
//     with the wide-character functions, as UTF-8; prints "ready=1" and keeps the
//     dialog open until PAUSE-FILE exists (for a screenshot), then closes it.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/win32_probe.h"

namespace {

namespace w32 = scr::test::win32;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::wstring Wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string WideText(HWND h) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

COLORREF Colour(const char* hex) {
  const unsigned long v = std::strtoul(hex, nullptr, 16);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Draw(int argc, char** argv) {
  if (argc < 9) return 2;
  std::ifstream in(argv[2], std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  const bool ansi = argc > 9 && std::string(argv[9]) == "--ansi";
  int width = 0, height = 0;
  if (std::sscanf(argv[7], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) return 2;

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return 1;
  HGDIOBJ oldBitmap = SelectObject(dc, dib);
  RECT all{0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(Colour(argv[6]));
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  HFONT font = CreateFontW(std::atoi(argv[4]), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           Wide(argv[3]).c_str());
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(argv[5]));
  SIZE size{};
  const std::wstring wide = Wide(text);
  if (ansi) {
    std::string bytes(wide.size() * 2 + 1, '\0');
    bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                         bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                         nullptr)));
    GetTextExtentPoint32A(dc, bytes.data(), static_cast<int>(bytes.size()), &size);
    TextOutA(dc, width / 2 - size.cx / 2, height - size.cy, bytes.data(), static_cast<int>(bytes.size()));
  } else {
    GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &size);
    TextOutW(dc, width / 2 - size.cx / 2, height - size.cy, wide.data(), static_cast<int>(wide.size()));
  }
  GdiFlush();
  Say("extent=" + std::to_string(size.cx) + "x" + std::to_string(size.cy));
  w32::TScreenPixels pixels;
  pixels.width = width;
  pixels.height = height;
  const auto* first = static_cast<const uint8_t*>(bits);
  pixels.bgr.assign(first, first + pixels.Stride() * static_cast<size_t>(height));
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(dib);
  DeleteDC(dc);
  return w32::WriteBmp(argv[8], pixels) ? 0 : 1;
}

int Dialog(char** argv) {
  w32::TProcess saver(argv[2], {"/c"});
  if (!saver.Started()) {
    Say("started=0");
    return 1;
  }
  HWND form = nullptr;
  const DWORD start = GetTickCount();
  while (!form && GetTickCount() - start < 20000 && !saver.WaitEnd(50))
    form = w32::FindVisibleWindow(saver.Id(), "TScrForm");
  if (!form) {
    Say("dialog=0");
    saver.Finish(1000);
    return 1;
  }
  Sleep(300);  // let it paint
  Say("caption=" + WideText(form));
  for (HWND h : w32::Children(form)) Say("control=" + WideText(h));
  Say("ready=1");
  const DWORD waitStart = GetTickCount();
  while (GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES && GetTickCount() - waitStart < 30000) Sleep(50);
  PostMessageA(form, WM_CLOSE, 0, 0);
  saver.Finish(5000);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 9 && std::string(argv[1]) == "draw") return Draw(argc, argv);
  if (argc == 4 && std::string(argv[1]) == "dialog") return Dialog(argv);
  Say("usage: text_probe draw TEXT-FILE FONT HEIGHT RRGGBB BACKGROUND WIDTHxHEIGHT OUT.bmp [--ansi] | "
      "text_probe dialog SAVER PAUSE-FILE");
  return 2;
}
