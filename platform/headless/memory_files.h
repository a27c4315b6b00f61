#pragma once
// An in-memory file system with the habits of the system's: paths compare without
// regard to ASCII case, "\" and "/" both separate, "." and ".." components resolve,
// files live in known directories only, read-only directories refuse new files, and
// an open file refuses the opens its sharing mode forbids.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/headless/call_log.h"

namespace scr::platform::headless {

class THeadlessSystem;

class TMemoryFileSystem : public IFileSystem {
 public:
  TMemoryFileSystem(TCallLog& log, THeadlessSystem& system) : log_(log), system_(system) {}

  std::unique_ptr<TStream> OpenRead(const std::string& path) override;
  std::unique_ptr<TWriteStream> Create(const std::string& path) override;
  bool Delete(const std::string& path) override;

  // Test set-up and inspection.
  void AddDirectory(const std::string& path, bool writable = true);
  void SetWritable(const std::string& directory, bool writable);
  void SetFile(const std::string& path, std::vector<uint8_t> bytes);
  std::optional<std::vector<uint8_t>> File(const std::string& path) const;
  bool Exists(const std::string& path) const override { return File(path).has_value(); }
  // Full (resolved) paths of all files, in the spelling first used to create them.
  std::vector<std::string> FilePaths() const;
  // Files directly inside a directory, by name.
  std::vector<std::string> FilesIn(const std::string& directory) const;

  // The resolved form of a path ("C:\A\..\B" is "C:\B"), or nothing when it is
  // malformed (characters the system refuses in names, ".." above the root).
  static std::optional<std::string> Resolve(const std::string& path);

  struct TEntry {
    std::string spelling;
    std::shared_ptr<std::vector<uint8_t>> bytes;
    int readers = 0;
    int writers = 0;
  };

 private:
  static std::string Key(const std::string& resolved);
  static std::string Parent(const std::string& resolved);
  [[noreturn]] void Fail(bool creating, const std::string& path, uint32_t code);

  TCallLog& log_;
  THeadlessSystem& system_;
  std::map<std::string, std::shared_ptr<TEntry>> files_;
  std::map<std::string, bool> directories_;  // key -> writable
};

}  // namespace scr::platform::headless
