#pragma once
// Files in memory: the saver file the page handed over (held once, never copied) and
// the files the show writes out (its sound files). Paths join folders with "\" or "/"
// alike; letter case counts.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

namespace scr::platform::web {

// The path with every "\" turned into "/".
std::string WebPath(const std::string& path);

class TWebFiles : public IFileSystem {
 public:
  using TBytes = std::vector<uint8_t>;

  // Makes bytes the content of path (replacing a file there).
  void Put(const std::string& path, TBytes bytes);
  // The content of a file; null when there is none.
  std::shared_ptr<const TBytes> Get(const std::string& path) const;

  // A stream over the file as it is now; raises EFOpenError for a missing file or one
  // open for writing.
  std::unique_ptr<TStream> OpenRead(const std::string& path) override;
  // Raises EFCreateError while the file is open for writing elsewhere.
  std::unique_ptr<TWriteStream> Create(const std::string& path) override;
  bool Delete(const std::string& path) override;
  bool Exists(const std::string& path) const override;

 private:
  struct TEntry {
    std::shared_ptr<TBytes> bytes;
    bool writing = false;
  };
  friend class TWebWriteStream;
  std::shared_ptr<std::map<std::string, TEntry>> files_ = std::make_shared<std::map<std::string, TEntry>>();
};

}  // namespace scr::platform::web
