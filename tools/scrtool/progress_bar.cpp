#include "tools/scrtool/progress_bar.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace scr::tool {

TProgressBar::TProgressBar(std::string label) : label_(std::move(label)), terminal_(isatty(STDERR_FILENO) == 1) {}

TProgressBar::~TProgressBar() { Done(); }

void TProgressBar::Show(double fraction, const std::string& note) {
  if (!terminal_) return;
  const int permille = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 1000);
  if (permille == lastPermille_) return;
  lastPermille_ = permille;
  constexpr int kWidth = 30;
  const int filled = permille * kWidth / 1000;
  std::fprintf(stderr, "\r%s [%s%s] %3d%% %s\033[K", label_.c_str(), std::string(filled, '#').c_str(),
               std::string(kWidth - filled, '.').c_str(), permille / 10, note.c_str());
  std::fflush(stderr);
  drawn_ = true;
}

void TProgressBar::Done() {
  if (drawn_) std::fputc('\n', stderr);
  drawn_ = false;
}

}  // namespace scr::tool
