#include "tools/scrtool/progress_bar.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace scr::tool {

namespace {
constexpr int kBarWidth = 30;
double Megabytes(uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }
}  // namespace

TProgressBar::TProgressBar(std::string label) : label_(std::move(label)), terminal_(isatty(STDERR_FILENO) == 1) {}

TProgressBar::TProgressBar(std::string label, size_t totalCount, uint64_t totalBytes)
    : TProgressBar(std::move(label)) {
  totalCount_ = totalCount;
  totalBytes_ = totalBytes;
  const std::lock_guard lock(mutex_);
  if (totalCount_ > 0) DrawCounts();
}

TProgressBar::~TProgressBar() { Done(); }

void TProgressBar::Show(double fraction, const std::string& note) {
  const std::lock_guard lock(mutex_);
  Draw(fraction, note);
}

void TProgressBar::Advance(uint64_t bytes) {
  const std::lock_guard lock(mutex_);
  ++doneCount_;
  doneBytes_ += bytes;
  DrawCounts();
}

void TProgressBar::Done() {
  const std::lock_guard lock(mutex_);
  if (drawn_) std::fputc('\n', stderr);
  drawn_ = false;
}

void TProgressBar::DrawCounts() {
  const double fraction = totalBytes_ > 0   ? static_cast<double>(doneBytes_) / static_cast<double>(totalBytes_)
                          : totalCount_ > 0 ? static_cast<double>(doneCount_) / static_cast<double>(totalCount_)
                                            : 1.0;
  char note[80];
  std::snprintf(note, sizeof note, "%zu/%zu, %.1f/%.1f MB", doneCount_, totalCount_, Megabytes(doneBytes_),
                Megabytes(totalBytes_));
  Draw(fraction, note);
}

void TProgressBar::Draw(double fraction, const std::string& note) {
  if (!terminal_) return;
  // Redrawn only when what it shows changes, so frequent calls cost little.
  const int permille = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 1000);
  if (drawn_ && permille == lastPermille_ && note == lastNote_) return;
  lastPermille_ = permille;
  lastNote_ = note;
  const int filled = permille * kBarWidth / 1000;
  std::fprintf(stderr, "\r%s [%s%s] %3d%% %s\033[K", label_.c_str(), std::string(filled, '#').c_str(),
               std::string(kBarWidth - filled, '.').c_str(), permille / 10, note.c_str());
  std::fflush(stderr);
  drawn_ = true;
}

}  // namespace scr::tool
