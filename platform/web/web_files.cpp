#include "platform/web/web_files.h"

#include <algorithm>

namespace scr::platform::web {

namespace {

constexpr const char* kNotFound = "The system cannot find the file specified";
constexpr const char* kInUse = "The process cannot access the file because it is being used by another process";

// A stream that keeps the bytes it reads alive.
class TOwningStream : public TMemoryStream {
 public:
  explicit TOwningStream(std::shared_ptr<const TWebFiles::TBytes> bytes)
      : TMemoryStream(std::span<const uint8_t>(bytes->data(), bytes->size())), bytes_(std::move(bytes)) {}

 private:
  std::shared_ptr<const TWebFiles::TBytes> bytes_;
};

}  // namespace

std::string WebPath(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

// The file being written: what is written lands in the entry's own bytes, and the
// entry is open for writing until the stream goes.
class TWebWriteStream : public TWriteStream {
 public:
  TWebWriteStream(std::shared_ptr<std::map<std::string, TWebFiles::TEntry>> files, std::string path)
      : files_(std::move(files)), path_(std::move(path)) {}
  ~TWebWriteStream() override {
    const auto it = files_->find(path_);
    if (it != files_->end()) it->second.writing = false;
  }
  void Write(std::span<const uint8_t> bytes) override {
    const auto it = files_->find(path_);
    if (it == files_->end()) throw EWriteError(kStreamWriteError);
    it->second.bytes->insert(it->second.bytes->end(), bytes.begin(), bytes.end());
  }

 private:
  std::shared_ptr<std::map<std::string, TWebFiles::TEntry>> files_;
  std::string path_;
};

void TWebFiles::Put(const std::string& path, TBytes bytes) {
  (*files_)[WebPath(path)] = TEntry{std::make_shared<TBytes>(std::move(bytes)), false};
}

std::shared_ptr<const TWebFiles::TBytes> TWebFiles::Get(const std::string& path) const {
  const auto it = files_->find(WebPath(path));
  if (it == files_->end()) return nullptr;
  return it->second.bytes;
}

std::unique_ptr<TStream> TWebFiles::OpenRead(const std::string& path) {
  const auto it = files_->find(WebPath(path));
  if (it == files_->end()) throw EFOpenError(OpenErrorText(path, kNotFound));
  if (it->second.writing) throw EFOpenError(OpenErrorText(path, kInUse));
  return std::make_unique<TOwningStream>(it->second.bytes);
}

std::unique_ptr<TWriteStream> TWebFiles::Create(const std::string& path) {
  const std::string key = WebPath(path);
  const auto it = files_->find(key);
  if (it != files_->end() && it->second.writing) throw EFCreateError(CreateErrorText(path, kInUse));
  // A reader of the old content keeps it; the new file starts empty.
  (*files_)[key] = TEntry{std::make_shared<TBytes>(), true};
  return std::make_unique<TWebWriteStream>(files_, key);
}

bool TWebFiles::Delete(const std::string& path) {
  const auto it = files_->find(WebPath(path));
  if (it == files_->end() || it->second.writing) return false;
  files_->erase(it);
  return true;
}

bool TWebFiles::Exists(const std::string& path) const { return files_->count(WebPath(path)) > 0; }

}  // namespace scr::platform::web
