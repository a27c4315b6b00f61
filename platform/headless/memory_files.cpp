#include "platform/headless/memory_files.h"

#include <algorithm>
#include <cstring>

#include "platform/headless/headless_system.h"
#include "platform/system.h"

namespace scr::platform::headless {

namespace {

constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kSharingViolation = 32;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A read stream over a snapshot of the file; the entry counts it as a reader.
class TMemoryReadStream : public TStream {
 public:
  TMemoryReadStream(std::shared_ptr<TMemoryFileSystem::TEntry> entry, TCallLog& log)
      : entry_(std::move(entry)), bytes_(*entry_->bytes), log_(log) {
    ++entry_->readers;
  }
  ~TMemoryReadStream() override {
    --entry_->readers;
    log_.Add("CloseFile " + entry_->spelling);
  }
  int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
  int64_t Position() const override { return position_; }
  void Seek(int64_t position) override { position_ = position < 0 ? 0 : position; }
  size_t Read(std::span<uint8_t> out) override {
    if (position_ >= Size()) return 0;
    const size_t n = std::min(out.size(), static_cast<size_t>(Size() - position_));
    std::memcpy(out.data(), bytes_.data() + position_, n);
    position_ += static_cast<int64_t>(n);
    return n;
  }

 private:
  std::shared_ptr<TMemoryFileSystem::TEntry> entry_;
  std::vector<uint8_t> bytes_;
  TCallLog& log_;
  int64_t position_ = 0;
};

class TMemoryWriteStream : public TWriteStream {
 public:
  TMemoryWriteStream(std::shared_ptr<TMemoryFileSystem::TEntry> entry, TCallLog& log)
      : entry_(std::move(entry)), log_(log) {
    ++entry_->writers;
  }
  ~TMemoryWriteStream() override {
    --entry_->writers;
    log_.Add("CloseFile " + entry_->spelling);
  }
  void Write(std::span<const uint8_t> bytes) override {
    entry_->bytes->insert(entry_->bytes->end(), bytes.begin(), bytes.end());
  }

 private:
  std::shared_ptr<TMemoryFileSystem::TEntry> entry_;
  TCallLog& log_;
};

}  // namespace

std::optional<std::string> TMemoryFileSystem::Resolve(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '/', '\\');
  // A drive root "X:" starts every path this file system keeps.
  if (p.size() < 2 || p[1] != ':' || !std::isalpha(static_cast<unsigned char>(p[0]))) return std::nullopt;
  std::vector<std::string> parts;
  size_t i = 2;
  while (i <= p.size()) {
    size_t j = p.find('\\', i);
    if (j == std::string::npos) j = p.size();
    std::string part = p.substr(i, j - i);
    // The system drops trailing dots and spaces of a component.
    while (!part.empty() && (part.back() == '.' || part.back() == ' ') && part != "." && part != "..")
      part.pop_back();
    if (part == "..") {
      if (parts.empty()) return std::nullopt;
      parts.pop_back();
    } else if (!part.empty() && part != ".") {
      for (unsigned char c : part)
        if (c < 32 || std::strchr("<>:\"|?*", c)) return std::nullopt;
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::string out = p.substr(0, 2);
  out += '\\';
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k) out += '\\';
    out += parts[k];
  }
  return out;
}

std::string TMemoryFileSystem::Key(const std::string& resolved) {
  std::string k = resolved;
  for (char& c : k) c = Lower(c);
  return k;
}

std::string TMemoryFileSystem::Parent(const std::string& resolved) {
  const size_t slash = resolved.find_last_of('\\');
  if (slash == std::string::npos || slash <= 2) return resolved.substr(0, 3);
  return resolved.substr(0, slash);
}

void TMemoryFileSystem::Fail(bool creating, const std::string& path, uint32_t code) {
  log_.Add(std::string(creating ? "CreateFile " : "OpenRead ") + path + " failed " + std::to_string(code));
  const std::string text = system_.ErrorText(code);
  if (creating) throw EFCreateError(CreateErrorText(path, text));
  throw EFOpenError(OpenErrorText(path, text));
}

std::unique_ptr<TStream> TMemoryFileSystem::OpenRead(const std::string& path) {
  const auto resolved = Resolve(path);
  if (!resolved) Fail(false, path, kErrorInvalidName);
  const auto it = files_.find(Key(*resolved));
  if (it == files_.end()) Fail(false, path, kFileNotFound);
  if (it->second->writers > 0) Fail(false, path, kSharingViolation);
  log_.Add("OpenRead " + it->second->spelling);
  return std::make_unique<TMemoryReadStream>(it->second, log_);
}

std::unique_ptr<TWriteStream> TMemoryFileSystem::Create(const std::string& path) {
  const auto resolved = Resolve(path);
  if (!resolved) Fail(true, path, kErrorInvalidName);
  const std::string key = Key(*resolved);
  if (directories_.count(key)) Fail(true, path, kAccessDenied);
  const auto dir = directories_.find(Key(Parent(*resolved)));
  if (dir == directories_.end()) Fail(true, path, kPathNotFound);
  if (!dir->second) Fail(true, path, kAccessDenied);
  auto& entry = files_[key];
  if (entry && (entry->readers > 0 || entry->writers > 0)) Fail(true, path, kSharingViolation);
  if (!entry) {
    entry = std::make_shared<TEntry>();
    entry->spelling = *resolved;
  }
  entry->bytes = std::make_shared<std::vector<uint8_t>>();
  log_.Add("CreateFile " + entry->spelling);
  return std::make_unique<TMemoryWriteStream>(entry, log_);
}

bool TMemoryFileSystem::Delete(const std::string& path) {
  const auto resolved = Resolve(path);
  const auto it = resolved ? files_.find(Key(*resolved)) : files_.end();
  if (it == files_.end() || it->second->readers > 0 || it->second->writers > 0) {
    log_.Add("DeleteFile " + path + " failed");
    return false;
  }
  log_.Add("DeleteFile " + it->second->spelling);
  files_.erase(it);
  return true;
}

void TMemoryFileSystem::AddDirectory(const std::string& path, bool writable) {
  const auto resolved = Resolve(path);
  if (!resolved) return;
  // Parents come into being with it, as writable folders.
  std::string p = *resolved;
  directories_[Key(p)] = writable;
  while (p.size() > 3) {
    p = Parent(p);
    directories_.emplace(Key(p), true);
  }
}

void TMemoryFileSystem::SetWritable(const std::string& directory, bool writable) {
  AddDirectory(directory, writable);
}

void TMemoryFileSystem::SetFile(const std::string& path, std::vector<uint8_t> bytes) {
  const auto resolved = Resolve(path);
  if (!resolved) return;
  AddDirectory(Parent(*resolved), directories_.count(Key(Parent(*resolved)))
                                      ? directories_[Key(Parent(*resolved))]
                                      : true);
  auto& entry = files_[Key(*resolved)];
  if (!entry) {
    entry = std::make_shared<TEntry>();
    entry->spelling = *resolved;
  }
  entry->bytes = std::make_shared<std::vector<uint8_t>>(std::move(bytes));
}

std::optional<std::vector<uint8_t>> TMemoryFileSystem::File(const std::string& path) const {
  const auto resolved = Resolve(path);
  if (!resolved) return std::nullopt;
  const auto it = files_.find(Key(*resolved));
  if (it == files_.end()) return std::nullopt;
  return *it->second->bytes;
}

std::vector<std::string> TMemoryFileSystem::FilePaths() const {
  std::vector<std::string> out;
  for (const auto& [key, entry] : files_) out.push_back(entry->spelling);
  return out;
}

std::vector<std::string> TMemoryFileSystem::FilesIn(const std::string& directory) const {
  std::vector<std::string> out;
  const auto resolved = Resolve(directory);
  if (!resolved) return out;
  const std::string dirKey = Key(*resolved);
  for (const auto& [key, entry] : files_)
    if (Key(Parent(entry->spelling)) == dirKey) out.push_back(entry->spelling.substr(entry->spelling.find_last_of('\\') + 1));
  return out;
}

}  // namespace scr::platform::headless
