#pragma once
// A progress bar on stderr over a known amount of work (counts and bytes), drawn
// only when stderr is a terminal; safe to advance from several threads.
#include <cstdint>
#include <mutex>
#include <string>

namespace scr::tool {

class TProgress {
 public:
  TProgress(std::string what, size_t totalCount, uint64_t totalBytes);
  ~TProgress();
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  void Advance(uint64_t bytes);

 private:
  void Draw();

  std::mutex mutex_;
  std::string what_;
  size_t totalCount_, doneCount_ = 0;
  uint64_t totalBytes_, doneBytes_ = 0;
  bool shown_;
};

}  // namespace scr::tool
