#include "platform/win32/win32_system.h"

#include <cstring>
#include <vector>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"

namespace scr::platform::win32 {

namespace {

// The folders come into a 255-character buffer, taken up to the first zero byte; a
// longer folder, for which the system reports the size it needs instead, is asked
// for again with a buffer of that size, so it is never cut short.
template <typename Call>
std::string FolderText(Call call) {
  constexpr DWORD kBuffer = 255;
  std::vector<wchar_t> buf(kBuffer + 1, L'\0');
  DWORD n = call(kBuffer, buf.data());
  if (n == 0) return {};
  if (n >= kBuffer) {
    buf.assign(n + 1, '\0');
    n = call(n + 1, buf.data());
    if (n == 0 || n > buf.size() - 1) return {};
  }
  return Utf8(std::wstring_view(buf.data(), wcsnlen(buf.data(), buf.size())));
}

class TWin32Handle : public ISystemHandle {
 public:
  explicit TWin32Handle(HANDLE h) : h_(h) {}
  ~TWin32Handle() override { Close(); }
  void Close() override {
    if (h_) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_;
};

class TWin32Library : public ILibrary {
 public:
  explicit TWin32Library(HMODULE m) : m_(m) {}
  ~TWin32Library() override { FreeLibrary(m_); }
  TProcAddress FindExport(const std::string& name) override {
    return reinterpret_cast<TProcAddress>(::GetProcAddress(m_, name.c_str()));  // export names are ASCII
  }
  uint32_t CallChangePassword(TProcAddress proc, const std::string& provider, TWindowHandle window,
                              uint32_t reserved1, uint32_t reserved2) override {
    using TChange = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    const auto change = reinterpret_cast<TChange>(proc);
    return change(provider.c_str(), ToHwnd(window), reserved1, reserved2);
  }

 private:
  HMODULE m_;
};

}  // namespace

std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                 nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string s = n && text ? std::string(text, n) : std::string();
  if (text) LocalFree(text);
  while (!s.empty() && (static_cast<unsigned char>(s.back()) <= 32 || s.back() == '.')) s.pop_back();
  return s;
}

TAnsiDecoder TWin32System::AnsiDecoder() { return [](std::string_view ansi) { return AnsiCodePageToUtf8(ansi); }; }

std::string TWin32System::ExecutablePath() {
  std::vector<wchar_t> buf(MAX_PATH + 1);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size() - 1) return Utf8(std::wstring_view(buf.data(), n));
    buf.resize(buf.size() * 2);
  }
}

std::string TWin32System::TempPath() {
  return FolderText([](DWORD size, wchar_t* out) { return GetTempPathW(size, out); });
}

std::string TWin32System::SystemDirectory() {
  return FolderText([](DWORD size, wchar_t* out) { return GetSystemDirectoryW(out, size); });
}

std::string TWin32System::ErrorText(uint32_t code) { return SystemErrorText(code); }

TSemaphoreResult TWin32System::CreateNamedSemaphore(const std::string& name, int32_t initialCount,
                                                    int32_t maximumCount) {
  TSemaphoreResult result;
  HANDLE h = CreateSemaphoreW(nullptr, initialCount, maximumCount, Wide(name).c_str());
  const DWORD error = GetLastError();
  if (!h) return result;
  result.handle = std::make_unique<TWin32Handle>(h);
  result.alreadyExisted = error == ERROR_ALREADY_EXISTS;
  return result;
}

std::unique_ptr<ILibrary> TWin32System::OpenLibrary(const std::string& path) {
  HMODULE m = LoadLibraryW(Wide(path).c_str());
  if (!m) return nullptr;
  return std::make_unique<TWin32Library>(m);
}

}  // namespace scr::platform::win32
