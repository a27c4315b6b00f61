#include "platform/sdl/sdl_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace scr::platform::sdl {

namespace {

class TFd {
 public:
  explicit TFd(int fd) : fd_(fd) {}
  ~TFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

class TPosixReadStream : public TStream {
 public:
  TPosixReadStream(int fd, int64_t size) : fd_(fd), size_(size) {}
  int64_t Size() const override { return size_; }
  int64_t Position() const override { return position_; }
  void Seek(int64_t position) override { position_ = position < 0 ? 0 : position; }
  size_t Read(std::span<uint8_t> out) override {
    size_t total = 0;
    while (total < out.size() && position_ < size_) {
      const size_t want = std::min<size_t>(out.size() - total, 1u << 20);
      const ssize_t got = ::pread(fd_.Get(), out.data() + total, want, static_cast<off_t>(position_));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      total += static_cast<size_t>(got);
      position_ += got;
    }
    return total;
  }

 private:
  TFd fd_;
  int64_t size_;
  int64_t position_ = 0;
};

class TPosixWriteStream : public TWriteStream {
 public:
  explicit TPosixWriteStream(int fd) : fd_(fd) {}
  void Write(std::span<const uint8_t> bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t put = ::write(fd_.Get(), bytes.data() + done, bytes.size() - done);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) throw EWriteError(kStreamWriteError);
      done += static_cast<size_t>(put);
    }
  }

 private:
  TFd fd_;
};

}  // namespace

std::string PosixPath(const std::string& path) {
  std::string out = path;
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return lower(x) == lower(y);
         });
}

}  // namespace

std::string LocatePath(const std::string& path) {
  const std::string posix = PosixPath(path);
  struct stat st {};
  if (::lstat(posix.c_str(), &st) == 0 || errno != ENOENT) return posix;
  const size_t slash = posix.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : posix.substr(0, slash);
  const std::string name = slash == std::string::npos ? posix : posix.substr(slash + 1);
  if (name.empty()) return posix;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return posix;
  std::string found;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view candidate = entry->d_name;
    if (SameIgnoringCase(candidate, name) && (found.empty() || candidate < found)) found = candidate;
  }
  ::closedir(dir);
  if (found.empty()) return posix;
  return (slash == std::string::npos ? std::string() : posix.substr(0, slash + 1)) + found;
}

std::unique_ptr<TStream> TSdlFiles::OpenRead(const std::string& path) {
  // Not blocking: a pipe or device named as a file is refused instead of waited on.
  const int fd = ::open(LocatePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw EFOpenError(OpenErrorText(path, std::strerror(errno)));
  auto stream = [&]() -> std::unique_ptr<TStream> {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return nullptr;
    if (!S_ISREG(st.st_mode)) {
      errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
      return nullptr;
    }
    return std::make_unique<TPosixReadStream>(fd, static_cast<int64_t>(st.st_size));
  }();
  if (!stream) {
    const int code = errno;
    ::close(fd);
    throw EFOpenError(OpenErrorText(path, std::strerror(code)));
  }
  return stream;
}

std::unique_ptr<TWriteStream> TSdlFiles::Create(const std::string& path) {
  const int fd = ::open(LocatePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) throw EFCreateError(CreateErrorText(path, std::strerror(errno)));
  return std::make_unique<TPosixWriteStream>(fd);
}

bool TSdlFiles::Delete(const std::string& path) { return ::unlink(LocatePath(path).c_str()) == 0; }

bool TSdlFiles::Exists(const std::string& path) const {
  struct stat st {};
  return ::stat(LocatePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace scr::platform::sdl
