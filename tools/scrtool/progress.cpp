#include "tools/scrtool/progress.h"

#include <unistd.h>

#include <cstdio>

namespace scr::tool {

namespace {
constexpr int kBarWidth = 30;
double Megabytes(uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }
}  // namespace

TProgress::TProgress(std::string what, size_t totalCount, uint64_t totalBytes)
    : what_(std::move(what)), totalCount_(totalCount), totalBytes_(totalBytes), shown_(isatty(STDERR_FILENO) == 1) {
  if (shown_ && totalCount_ > 0) Draw();
}

TProgress::~TProgress() {
  if (shown_ && totalCount_ > 0) std::fputs("\n", stderr);
}

void TProgress::Advance(uint64_t bytes) {
  const std::lock_guard lock(mutex_);
  ++doneCount_;
  doneBytes_ += bytes;
  if (shown_) Draw();
}

void TProgress::Draw() {
  const double part = totalBytes_ > 0 ? static_cast<double>(doneBytes_) / static_cast<double>(totalBytes_)
                                      : static_cast<double>(doneCount_) / static_cast<double>(totalCount_);
  const int filled = static_cast<int>(part * kBarWidth + 0.5);
  std::fprintf(stderr, "\r%s [%.*s%*s] %zu/%zu, %.1f/%.1f MB", what_.c_str(), filled,
               "##############################", kBarWidth - filled, "", doneCount_, totalCount_,
               Megabytes(doneBytes_), Megabytes(totalBytes_));
  std::fflush(stderr);
}

}  // namespace scr::tool
