#include "platform/win32/win32_files.h"

#include <algorithm>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"

namespace scr::platform::win32 {

namespace {

class TFileReadStream : public TStream {
 public:
  TFileReadStream(HANDLE h, int64_t size) : h_(h), size_(size) {}
  ~TFileReadStream() override { CloseHandle(h_); }
  int64_t Size() const override { return size_; }
  int64_t Position() const override { return position_; }
  void Seek(int64_t position) override { position_ = position < 0 ? 0 : position; }
  size_t Read(std::span<uint8_t> out) override {
    if (position_ >= size_ || out.empty()) return 0;
    LARGE_INTEGER at;
    at.QuadPart = position_;
    if (!SetFilePointerEx(h_, at, nullptr, FILE_BEGIN)) return 0;
    size_t total = 0;
    while (total < out.size()) {
      const DWORD want = static_cast<DWORD>(std::min<size_t>(out.size() - total, 1u << 20));
      DWORD got = 0;
      if (!ReadFile(h_, out.data() + total, want, &got, nullptr) || got == 0) break;
      total += got;
    }
    position_ += static_cast<int64_t>(total);
    return total;
  }

 private:
  HANDLE h_;
  int64_t size_;
  int64_t position_ = 0;
};

class TFileWriteStream : public TWriteStream {
 public:
  explicit TFileWriteStream(HANDLE h) : h_(h) {}
  ~TFileWriteStream() override { CloseHandle(h_); }
  void Write(std::span<const uint8_t> bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
      DWORD put = 0;
      if (!WriteFile(h_, bytes.data() + done, want, &put, nullptr) || put == 0) throw EWriteError(kStreamWriteError);
      done += put;
    }
  }

 private:
  HANDLE h_;
};

}  // namespace

std::unique_ptr<TStream> TWin32FileSystem::OpenRead(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) throw EFOpenError(OpenErrorText(path, SystemErrorText(GetLastError())));
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) {
    const DWORD code = GetLastError();
    CloseHandle(h);
    throw EFOpenError(OpenErrorText(path, SystemErrorText(code)));
  }
  return std::make_unique<TFileReadStream>(h, size.QuadPart);
}

std::unique_ptr<TWriteStream> TWin32FileSystem::Create(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw EFCreateError(CreateErrorText(path, SystemErrorText(GetLastError())));
  return std::make_unique<TFileWriteStream>(h);
}

bool TWin32FileSystem::Delete(const std::string& path) { return DeleteFileW(Wide(path).c_str()) != 0; }

bool TWin32FileSystem::Exists(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace scr::platform::win32
